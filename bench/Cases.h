#pragma once

#include <QString>

class Report;
struct BenchFolders;

// Each case measures its metrics and adds their lines to the report.

// 1 SetGamePlaylist against cp -r, 2 AddAllToPlaylist against cp, 5 the longest stall of the
// event loop while a playlist is set.
void runCopyCases(const BenchFolders& folders, Report& report);

// 3 start-up to the shown window, large against empty folders and a plain read of them.
void runStartupCase(const BenchFolders& folders, Report& report);
// 8 peak resident memory of a large against an empty start-up, each in a process of its own.
void runPeakMemoryCase(const BenchFolders& folders, Report& report);
// The child process of runPeakMemoryCase: starts the window over programFolder and prints
// "VmHWM <KiB>". Returns the exit code.
int runPeakMemoryChild(const QString& programFolder);

// 4 FileList refresh over 30,000 names, 6 CPU while the tutorial rests on step 3, 7 CPU with
// the window idle on each page.
void runWindowCases(const BenchFolders& folders, Report& report);

// How often each case is repeated: at least five times, and more where one run takes well under
// a second, because the copies and reads here vary by a tenth from run to run.
constexpr int repetitions = 5;
constexpr int quickRepetitions = 9;
