#pragma once

#include <string>

// How the password option begins, wherever it stands.
extern const char kPasswordMarker[];

// Whether the key names a password: it ends in "autologin.pwd" in any case,
// as "Dautologin.pwd", a start-key variant "ABC.Dautologin.pwd" or a
// misspelt "dautologin.pwd". Its value is never shown.
bool IsPasswordKey(const std::string& key);

// The value of every password option ("Dautologin.pwd=", or any spelling
// IsPasswordKey accepts, followed by "=") reads "xxxx". A value runs to the
// end of its argument as Java's launcher splits a command line, or further
// where quotes read plainly reach further, so that a quoted password with a
// blank is masked whole;
// where a remembered password follows the marker, all of it is masked,
// blanks included, and the value runs on from its end.
std::string MaskPassword(const std::string& text);

// MaskPassword for a text of several lines, such as a report or what Java
// printed: a value ends at its line's end, and quotes count within their
// line. Every text that leaves the launcher passes it once.
std::string MaskPasswordInLines(const std::string& text);

// Whether "autologin.pwd" stands anywhere in the text, in any case: a long
// line without it need not be copied to be masked.
bool MentionsPasswordKey(const std::string& text);

// A password as the run stored it, and as Java reads it, without its
// quotes. A value from a properties file or a read group may hold blanks
// without quotes; once it stands in a command line, only knowing it tells
// where it ends.
void RememberPassword(const std::string& password);
void ForgetPasswords();
