// Ranking a finished game into a level's table of five.

#include "highscoretable.h"

#include <QTest>

#include <vector>

namespace {

struct Entry {
    std::int32_t time;
    const char *name;
    std::int32_t score;
};

HighScoreRow rowOf(const std::vector<Entry> &entries)
{
    HighScoreRow row;
    for (int i = 0; i < kRankCount; ++i)
        row[i] = {entries[i].time, QByteArray(entries[i].name), entries[i].score};
    return row;
}

const std::vector<Entry> kDefaults{
    {10000, "Rovuve", 60}, {12000, "Rovuve", 55}, {14000, "Rovuve", 50}, {16000, "Rovuve", 45}, {18000, "Rovuve", 40}};
const std::vector<Entry> kNamed{
    {10000, "A", 60}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}, {18000, "E", 40}};

} // namespace

Q_DECLARE_METATYPE(HighScoreRow)

class TestHighScoreTable : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void insert_data();
    void insert();
};

void TestHighScoreTable::defaults()
{
    const HighScoreRow row = defaultHighScoreRow();
    QCOMPARE(row[0].time, 10000);
    QCOMPARE(row[4].time, 18000);
    QCOMPARE(row[0].score, 60);
    QCOMPARE(row[4].score, 40);
    for (const shighScore &entry : row)
        QCOMPARE(entry.name, QByteArray("Rovuve"));
}

void TestHighScoreTable::insert_data()
{
    QTest::addColumn<HighScoreRow>("before");
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("rank");
    QTest::addColumn<HighScoreRow>("after");

    // The new entry carries the name its rank had until the player types one.
    QTest::newRow("17999 enters at 5, the old fifth dropped")
        << rowOf(kNamed) << 17999 << 41 << 5
        << rowOf({{10000, "A", 60}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}, {17999, "E", 41}});
    QTest::newRow("a tie with the fifth does not enter")
        << rowOf(kNamed) << 18000 << 99 << 0 << rowOf(kNamed);
    QTest::newRow("slower than all does not enter")
        << rowOf(kDefaults) << 50000 << 0 << 0 << rowOf(kDefaults);
    QTest::newRow("a tie with the first lands second")
        << rowOf(kNamed) << 10000 << 70 << 2
        << rowOf({{10000, "A", 60}, {10000, "B", 70}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}});
    QTest::newRow("faster than all: everyone moves down")
        << rowOf(kNamed) << 9999 << 80 << 1
        << rowOf({{9999, "A", 80}, {10000, "A", 60}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}});
    QTest::newRow("faster with a lower score still ranks above")
        << rowOf(kNamed) << 11000 << 5 << 2
        << rowOf({{10000, "A", 60}, {11000, "B", 5}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}});
    QTest::newRow("a table out of order is not re-sorted")
        << rowOf({{5000, "A", 90}, {9000, "B", 80}, {7000, "C", 85}, {8000, "D", 82}, {20000, "E", 10}})
        << 7500 << 84 << 4
        << rowOf({{5000, "A", 90}, {9000, "B", 80}, {7000, "C", 85}, {7500, "D", 84}, {8000, "D", 82}});
    QTest::newRow("no game passes a negative time")
        << rowOf({{-5, "A", 60}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}, {18000, "E", 40}})
        << 0 << 100 << 2
        << rowOf({{-5, "A", 60}, {0, "B", 100}, {12000, "B", 55}, {14000, "C", 50}, {16000, "D", 45}});
}

void TestHighScoreTable::insert()
{
    QFETCH(HighScoreRow, before);
    QFETCH(int, time);
    QFETCH(int, score);
    QFETCH(int, rank);
    QFETCH(HighScoreRow, after);

    HighScoreRow row = before;
    QCOMPARE(insertHighScore(row, time, score), rank);
    for (int i = 0; i < kRankCount; ++i) {
        QCOMPARE(row[i].time, after[i].time);
        QCOMPARE(row[i].score, after[i].score);
        QCOMPARE(row[i].name, after[i].name);
    }
}

QTEST_GUILESS_MAIN(TestHighScoreTable)
#include "tst_highscoretable.moc"
