#pragma once

#include <QString>

namespace MSProject {
class Document;
}

namespace Transfer {

// Why the document holds a value the model cannot take, naming the element and the value: a
// negative number of units, a rate below 0 or past the largest amount of money, a fixed cost past
// it, a negative duration, an effort unit number or the effort minutes of an estimate past the
// largest whole number, a lag longer than a link can hold. Empty when every value can be imported. The import asks this
// before it changes anything, so that a refused file leaves the model as it was.
QString ImportRefusal(const MSProject::Document& document);

}  // namespace Transfer
