#pragma once

#include <QString>

namespace Common {

// The text of a page key's page as compiled in (HTML); empty for a key without page (an icon's
// key, or no key at all). StoredKey is the key as the table holds it.
QString HelpPageText(const QString& StoredKey);

}  // namespace Common
