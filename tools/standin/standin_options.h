// The stand-in's command line and its plain-text files (store, journal), kept apart from
// the windows it shows.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "messenger_model/messenger_model.h"

namespace standin {

struct StandInOptions {
    Options model;
    std::string storeFile;    // empty: nothing loaded or saved
    std::string journalFile;  // empty: no journal
    std::string readyFile;    // written once the main window exists
    int idleWindows = 0;      // extra idle top-level windows, for benchmarks
};

// Parses the arguments after the program name; on a mistake returns nothing and sets `error`.
std::optional<StandInOptions> ParseArguments(const std::vector<std::string>& args,
                                             std::string& error);
extern const char kUsage[];

// Store file: one emoticon a line, shortcut TAB name TAB path; CR LF or LF; blank lines skipped.
std::vector<Emoticon> ParseStore(const std::string& content);
std::string FormatStore(const std::vector<Emoticon>& store);

// Journal line: role TAB message TAB wParam TAB lParam TAB text, numbers in decimal.
std::string FormatJournalLine(const JournalEntry& entry);

// True when the bytes begin like a BMP, GIF, JPEG or PNG file.
bool HasPictureMagic(const std::string& head);

}  // namespace standin
