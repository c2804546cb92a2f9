#include "NxLargePages.h"

#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

// Memory for large pictures and the allocator's handling of large blocks.
class tst_NxLargePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureMemoryIsAlignedToLargePages();
    void freedBlockIsReusedWithoutPageFaults();

private:
    static long minorFaults();
    static void* filled(std::size_t bytes);
};

void tst_NxLargePages::initTestCase()
{
    NxLargePages::keepFreedBlocks();
}

long tst_NxLargePages::minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void* tst_NxLargePages::filled(std::size_t bytes)
{
    void* memory = std::malloc(bytes);
    if (memory)
        std::memset(memory, 0x5a, bytes);
    return memory;
}

void tst_NxLargePages::pictureMemoryIsAlignedToLargePages()
{
    const std::size_t bytes = 3840 * 2160 * 4;
    void* memory = NxLargePages::allocate(bytes);
    QVERIFY(memory);
    QCOMPARE(reinterpret_cast<quintptr>(memory) % (2 << 20), quintptr(0));
    std::memset(memory, 0xff, bytes);
    NxLargePages::release(memory);
}

// An 824x824 picture decoded, freed, and the next one decoded: the second
// must not fault its 2.7 MB in again (about 700 faults of 4 KB pages).
void tst_NxLargePages::freedBlockIsReusedWithoutPageFaults()
{
    const std::size_t bytes = 824 * 824 * 4;
    std::free(filled(bytes));
    const long before = minorFaults();
    void* again = filled(bytes);
    const long faults = minorFaults() - before;
    std::free(again);
    QVERIFY2(faults < 64, qPrintable(QStringLiteral("%1 page faults for a reused block").arg(faults)));
}

QTEST_APPLESS_MAIN(tst_NxLargePages)
#include "tst_NxLargePages.moc"
