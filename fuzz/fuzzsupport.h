#pragma once

// Shared by the fuzz targets: a failed property aborts with a message, which
// libFuzzer reports as a crash and the replay as a failed test.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

[[noreturn]] inline void FuzzFailure(const char *file, int line, const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            FuzzFailure(__FILE__, __LINE__, #condition, QString()); \
    } while (false)

#define FUZZ_CHECK_DETAIL(condition, detail) \
    do { \
        if (!(condition)) \
            FuzzFailure(__FILE__, __LINE__, #condition, (detail)); \
    } while (false)

// Whether the text is one or more ASCII digits, as the references read
// numbers without the program's own rules.
inline bool isDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Takes settings from the front of an input; what is left is the payload.
// Past the end every value reads as zero.
class FuzzBytes
{
public:
    FuzzBytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    uint8_t byte()
    {
        if (pos_ >= size_)
            return 0;
        return data_[pos_++];
    }

    template<typename T>
    T value()
    {
        T v{};
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char &b : bytes)
            b = byte();
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }

    QByteArray rest()
    {
        const QByteArray bytes(reinterpret_cast<const char *>(data_ + pos_), qsizetype(size_ - pos_));
        pos_ = size_;
        return bytes;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};
