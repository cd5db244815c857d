#pragma once
// The editor's command line: korvo-editor [FILE.kvo], --help, --version.

#include <QString>
#include <QStringList>
#include <optional>

namespace korvo {

struct CommandLine {
    std::optional<int> exitStatus; // set when the program ends at once with it
    QString file;                  // the scene file to open, as given; empty for none
};

// Before the window system is needed: --help and --version print the usage or
// "korvo-editor <version>" to standard output and give status 0. Anything else
// gives nothing. arguments: the program's arguments, its own name first.
std::optional<int> AnswerHelpOrVersion(const QStringList& arguments);

// The arguments left once Qt took its own options. An unknown option prints the
// problem and the usage to standard error and gives status 2; of several files the
// first is opened and the others are named on standard error.
CommandLine ReadCommandLine(const QStringList& arguments);

} // namespace korvo
