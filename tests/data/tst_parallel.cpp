#include "data/busynotice.h"
#include "data/parallel.h"
#include "support/recordingbusy.h"

#include <QTest>

#include <atomic>
#include <stdexcept>

using namespace qor;

class TestParallel : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyItemIsWorkedOnOnce()
    {
        std::vector<std::atomic<int>> seen(100000);
        QVERIFY(runInParts(static_cast<std::int64_t>(seen.size()), 1000, [&](int, std::int64_t first, std::int64_t size) {
            for (std::int64_t i = first; i < first + size; ++i)
                ++seen[static_cast<std::size_t>(i)];
            return true;
        }));
        QVERIFY(std::all_of(seen.begin(), seen.end(), [](const std::atomic<int>& n) { return n == 1; }));
    }

    // Items go to whichever core is free: each is worked on once, and once one fails no further
    // item begins.
    void itemsAreSharedOutAndStopAtAFailure()
    {
        constexpr std::int64_t Items = 1000;
        std::vector<std::atomic<int>> seen(Items);
        QVERIFY(runItems(Items, [&](int, std::int64_t item) { return ++seen[static_cast<std::size_t>(item)] == 1; }));
        QVERIFY(std::all_of(seen.begin(), seen.end(), [](const std::atomic<int>& n) { return n == 1; }));
        std::atomic<int> begun = 0;
        QVERIFY(!runItems(Items, [&](int, std::int64_t item) {
            ++begun;
            return item != 10;
        }));
        QVERIFY(begun < Items);
    }

    // An exception in a part on another thread would end the program; it reaches the caller
    // instead, once every part has finished.
    void anExceptionInAnyPartReachesTheCaller_data()
    {
        QTest::addColumn<int>("failingPart");
        QTest::newRow("on the calling thread") << 0;
        QTest::newRow("on a helper thread") << 1;
    }
    void anExceptionInAnyPartReachesTheCaller()
    {
        QFETCH(int, failingPart);
        if (partCount(1 << 20, 1) < 2 && failingPart > 0)
            QSKIP("one core: every part runs on the calling thread");
        std::atomic<int> finished = 0;
        const auto work = [&](int part, std::int64_t, std::int64_t) -> bool {
            if (part == failingPart)
                throw std::bad_alloc();
            ++finished;
            return true;
        };
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, runInParts(1 << 20, 1, work));
        QCOMPARE(finished.load(), partCount(1 << 20, 1) - 1);
    }

    // Only part 0, on the thread that made the busy notice, reports to it; once the user has
    // cancelled there, every part learns to stop instead of running to its bound.
    void everyPartStopsOnceTheUserCancels()
    {
        constexpr int Bound = 100'000'000;
        RecordingBusy window;
        window.cancelAtReport = 3;
        BusyNotice busy(window, 36, Cancellable::Yes);
        std::atomic<int> stopped = 0;
        QVERIFY(!runInParts(1 << 20, 1, [&](int part, std::int64_t, std::int64_t) {
            for (int step = 1; step <= Bound; ++step) {
                if (!busy.progressOfPart(part, step / double(Bound))) {
                    ++stopped;
                    return false;
                }
            }
            return true;
        }));
        QCOMPARE(stopped.load(), partCount(1 << 20, 1));
        QCOMPARE(window.progress.size(), 3);
    }
};

QTEST_APPLESS_MAIN(TestParallel)
#include "tst_parallel.moc"
