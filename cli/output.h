#ifndef OUTPUT_H
#define OUTPUT_H

#include <QString>

#include <cstdio>

// What veltra2ctl prints: results on standard output, notes and progress on
// standard error. A write that fails (a full disk, a closed pipe) is
// remembered, so the run does not end as a success; progress is shown only
// where standard error is a terminal, where a person watches.
class Output {
public:
    // One line to standard output, or to standard error where the results
    // go there because standard output carries data (a CSV).
    static void result(const QString &text);
    static void note(const QString &text);
    static void toStandardError(bool results) { resultsToError = results; }
    static void progress(int done, int failed, int total);
    // The last word on a terminal: how it went.
    static void summary(int done, int failed, int total);
    static bool failed() { return writeFailed; }
    static bool isTerminal();

private:
    static void write(std::FILE *stream, const QString &text);

    static bool writeFailed;
    static bool resultsToError;
    static bool progressShown;
};

#endif // OUTPUT_H
