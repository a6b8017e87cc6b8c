#pragma once

#include <string>

// How the password option begins, wherever it stands.
extern const char kPasswordMarker[];

// The value of every "Dautologin.pwd=" option reads "xxxx". A value runs to
// the end of its argument as Java's launcher splits a command line, or
// further where quotes read plainly reach further, so that a quoted password
// with a blank is masked whole;
// where a remembered password follows the marker, all of it is masked,
// blanks included, and the value runs on from its end.
std::string MaskPassword(const std::string& text);

// A password as the run stored it. A value from a properties file or a
// read group may hold blanks without quotes; once it stands in a command
// line, only knowing it tells where it ends.
void RememberPassword(const std::string& password);
void ForgetPasswords();
