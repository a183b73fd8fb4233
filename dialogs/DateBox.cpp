#include "DateBox.h"

#include "ShortDate.h"

DateBox::DateBox(QWidget* parent) : QLineEdit(parent) {}

void DateBox::SetDate(double day) {
  dateText_ = praxel::DateTimeText(day);
  date_ = day;
  setText(dateText_);
}

std::optional<double> DateBox::Date() const {
  if (!dateText_.isNull() && text() == dateText_) return date_;
  return praxel::ParseDateTime(text());
}

bool DateBox::IsBlank() const { return text().trimmed().isEmpty(); }
