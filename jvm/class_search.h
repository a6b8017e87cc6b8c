#pragma once

#include <string>
#include <vector>

// Where Java's class loader would look for a class, and what of that the
// check could not read.
struct ClassSearch {
  // The jar or folder that holds the class; empty when none does.
  std::string foundIn;
  // Every jar and folder looked in, in Java's order.
  std::vector<std::string> searched;
  // "lib\app.jar (2048 Bytes): abgeschnitten, f\374r Java unlesbar".
  std::vector<std::string> damaged;
  // "lib\app.jar (fehlt)": missing, denied, or too big to check.
  std::vector<std::string> unread;
};

// For a class path as Java takes it from -cp: "FOLDER\*" stands for the
// folder's jars, and each jar's manifest Class-Path adds jars next to it.
ClassSearch SearchClass(const std::string& classpath, const std::string& className);
