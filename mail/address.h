#pragma once

#include <QString>

#include <optional>

// E-mail addresses as mail servers accept them: plain ASCII, no quoting.
// People type fax numbers and names the way they are printed; these turn
// them into parts of an address, or say that they cannot be.
namespace address {

// The digits of a fax number typed with spaces, "-", ".", "/", "(", ")" and
// a leading "+" ("+1 (555) 123-4567" gives "15551234567"). Nothing when it
// holds any other character or no digit at all.
std::optional<QString> faxDigits(QStringView fax);

// A name as an unquoted local part of at most `maxLength` characters:
// accented letters become plain ones ("Zoë" gives "Zoe", "ß" gives "ss"),
// every other character that an address cannot hold becomes "_", and so
// does a dot at either end or right after another dot. Servers need not
// take more than 64 characters before the "@".
QString localPart(QStringView name, qsizetype maxLength = 64);

// local@domain: a local part of letters, digits, ".", and the other
// characters an unquoted address allows; a domain as isDomain says; at most
// 64 characters before the "@" and 254 in all.
bool isEmailAddress(QStringView s);

// Letters, digits, "-" and "." only, with at least one dot and no empty
// label.
bool isDomain(QStringView s);

} // namespace address
