#include "cli/output.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

bool Output::writeFailed = false;
bool Output::resultsToError = false;
bool Output::progressShown = false;

bool Output::isTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return ::isatty(fileno(stderr));
#endif
}

void Output::write(std::FILE *stream, const QString &text)
{
    // The progress line is taken away before anything else is written:
    // standard output may be the same terminal.
    if (progressShown) {
        std::fputs("\r\033[K", stderr);
        progressShown = false;
    }
    const QByteArray bytes = text.toUtf8().append('\n');
    if (std::fputs(bytes.constData(), stream) < 0 || std::fflush(stream) != 0)
        writeFailed = writeFailed || stream == stdout;
}

void Output::result(const QString &text)
{
    write(resultsToError ? stderr : stdout, text);
}

void Output::note(const QString &text)
{
    write(stderr, text);
}

void Output::progress(int done, int failed, int total)
{
    if (!isTerminal() || total < 2)
        return;
    std::fprintf(stderr, "\r\033[K%d of %d done, %d failed", done, total, failed);
    std::fflush(stderr);
    progressShown = true;
}

void Output::summary(int done, int failed, int total)
{
    if (!isTerminal() || total < 2)
        return;
    note(QStringLiteral("%1 of %2 devices done: %3 ok, %4 failed")
             .arg(done)
             .arg(total)
             .arg(done - failed)
             .arg(failed));
}
