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

// Every way the secrets may stand in a text, the longest first: as given,
// as Java reads them, each word Java or a person reads in them, each line.
std::vector<std::string> SecretForms(const std::vector<std::string>& secrets);

// The text as it may leave the launcher: the mask stands for a secret's form
// that is a word of its own, and for the value, even empty, of every option
// of a password key ("-Dautologin.pwd="). A value is a form that follows the
// option, or runs to the end of its argument as Java's launcher splits its
// line, or further where quotes read plainly reach further, within its line.
std::string Redact(const std::string& text, const std::vector<std::string>& forms);

// The secrets every text that leaves the launcher is redacted for, handed
// over by the entry: those of the command line first, all once the run is
// planned. Redacted also masks the secrets given with the text.
void KnowSecrets(const std::vector<std::string>& secrets);
std::string Redacted(const std::string& text, const std::vector<std::string>* secrets = nullptr);
