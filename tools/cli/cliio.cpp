#include "cli/cliio.h"

#include <cstdio>

namespace cli {

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void complain(const QString& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "ventrel-cli: %s\n", message.toLocal8Bit().constData());
}

int usageError(const QString& message, const char* usage) {
    complain(message);
    std::fprintf(stderr, "\n%s", usage);
    return kUsageError;
}

bool finishOutput() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    std::fprintf(stderr, "ventrel-cli: cannot write the output\n");
    return false;
}

} // namespace cli
