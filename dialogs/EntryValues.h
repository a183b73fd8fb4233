#pragma once

#include <QString>

#include <optional>

// The values typed into the entry dialogs' boxes, read before anything is stored: each answers
// nothing when the text is not a value of its kind, and the dialog refuses it with a message.
// Dates are read by DateBox (praxel::ParseDateTime, platform/ShortDate.h).
namespace EntryValues {

// A number in the user's form (blanks around it allowed): "12.5", "1,250", "-3", "$4.50"; the
// same reading as Common::TextToNumber, which money boxes use.
std::optional<double> ReadNumber(const QString& text);

// A whole number from low to high; a decimal is rounded to the nearest whole number, a half to
// the even neighbour ("2.5" gives 2), before the range is checked.
std::optional<int> ReadWholeNumber(const QString& text, int low, int high);

// The ID that a caption of a task or resource starts with: the digits after any blanks ("7: Pour
// slab" gives 7). Nothing when there are none, or too many for an ID.
std::optional<int> ReadLeadingId(const QString& caption);

}  // namespace EntryValues
