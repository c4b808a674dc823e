// The input, read as Latin-1, is an amount text; its first 16 bytes are also
// a raw amount and a factor.  An amount read from a text must read back from
// its own text form, and products and sums of any amounts must either be
// reported as beyond the range or keep their sign and read back the same.

#include "fuzzsupport.h"

#include "common/amount.h"

#include <limits>

namespace {

// Reading an amount's text form gives the amount back, and the text form of
// what was read from a text is never negative.
void checkTextForm(const Amount &amount)
{
    if (amount.raw() == std::numeric_limits<qint64>::min())
        return;
    const QString text = amount.toText();
    if (amount.raw() < 0) {
        FUZZ_CHECK(text.startsWith(u'-'));
        FUZZ_CHECK(Amount::fromText(text.mid(1)) == Amount::fromRaw(-amount.raw()));
    } else {
        FUZZ_CHECK(Amount::fromText(text) == amount);
    }
    // The display form keeps the digits and the comma.
    QString shown = FormatAmountGrouped(text, true);
    shown.remove(u' ');
    FUZZ_CHECK(shown.startsWith(text.section(u',', 0, 0)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    FuzzBytes input(data, size);
    const Amount raw = Amount::fromRaw(input.value<qint64>());
    const auto factor = input.value<qint64>();

    const auto read = Amount::fromText(text);
    if (read) {
        FUZZ_CHECK(read->raw() >= 0);
        checkTextForm(*read);
    }
    checkTextForm(raw);
    for (const Amount &a : {raw, read.value_or(raw)}) {
        if (const auto product = a.times(factor)) {
            FUZZ_CHECK(a.isZero() || factor == 0 || (product->raw() < 0) == ((a.raw() < 0) != (factor < 0)));
            FUZZ_CHECK(factor == 0 || product->raw() / factor == a.raw());
            checkTextForm(*product);
        }
        if (const auto sum = a.plus(raw)) {
            // A sum of two amounts of one sign keeps it: no wrap past the range.
            FUZZ_CHECK((a.raw() < 0) != (raw.raw() < 0) || (sum->raw() < 0) == (a.raw() < 0));
            FUZZ_CHECK(sum->raw() - raw.raw() == a.raw());
            checkTextForm(*sum);
        }
    }
    return 0;
}
