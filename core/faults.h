// What is wrong in a file, line by line, and the "FILE:LINE: text" list that tells it.
#pragma once

#include <string>
#include <vector>

struct Fault {
    int line;          // from 1; 0 for the file as a whole
    std::string text;  // what is wrong, one sentence without the file's name
    // True when the line was read and what it says was taken as written (a key bound twice or a
    // reserved key, so that a later change elsewhere can still mend it); false when the line
    // could not be used at all.
    bool taken = false;
};

// The faults by line (those of one line in the order found) as "SOURCE:LINE: text" lines,
// "SOURCE: text" for line 0, joined by new lines.
std::string faultList(std::vector<Fault> faults, const std::string& source);
