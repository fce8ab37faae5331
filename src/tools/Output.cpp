#include "Output.h"

#include <QtGlobal>
#include <cerrno>

Output::Output(std::FILE* stream) : m_stream(stream) {}

Output& Output::operator<<(QByteArrayView bytes) {
    if (failed() || bytes.isEmpty()) return *this;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), m_stream) != size_t(bytes.size())) fail(errno);
    return *this;
}

bool Output::flush() {
    errno = 0;
    if (!failed() && std::fflush(m_stream) != 0) fail(errno);
    return !failed();
}

void Output::fail(int error) {
    m_error = error != 0 ? qt_error_string(error) : QStringLiteral("the system gave no reason");
}
