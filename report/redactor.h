#pragma once

#include <string>
#include <vector>

// Whether the key names a password: it ends in "autologin.pwd" in any case,
// as "Dautologin.pwd", a start-key variant "ABC.Dautologin.pwd" or a
// misspelt "dautologin.pwd". Its value is never shown.
bool IsPasswordKey(const std::string& key);

// What follows the first password option ("Dautologin.pwd=" in any case) to
// the text's end: in a read group "+++" stands for a blank, so a blank in
// the password and the blank before a further option look alike.
std::string AfterPasswordOption(const std::string& text);

// The run's secrets, made once when the run is planned and handed to every
// place a text leaves the launcher, in every way they may stand in a text,
// the longest first: as given, as Java reads them, each word Java or a
// person reads in them, each line.
struct Secrets {
  std::vector<std::string> forms;
};
Secrets KnowSecrets(const std::vector<std::string>& secrets);

// The text as it may leave the launcher: the mask stands for a secret's form
// that follows an option or is a word of its own, and then for the value,
// even empty, of every option of a password key ("-Dautologin.pwd="): a
// secret that holds such an option is masked whole before its option is
// seen. A value is a form that follows the option, or runs to the end of its
// argument as Java's launcher splits its line, or further where quotes read
// plainly reach further, within its line. Also for the secrets given with
// the text, which the run does not know yet: the command line's and a
// settings file's while the run is planned.
std::string Redacted(const std::string& text, const Secrets& known,
                     const std::vector<std::string>* given = nullptr);
