// The network's printout and print image: the flow table, then the profile (on a page
// of its own when printed, below the table in the print image).

#include "engine/NetworkLevels.h"
#include "report/DrawingSurface.h"
#include "report/NetworkProfile.h"
#include "tests/support/NetworkInputs.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace tovarin;

class NetworkProfilePrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printoutIsTheTableThenTheProfilePage();
    void printImageDrawsTheProfileBelowTheTable();

private:
    // The sewage example with the cover of No.1 too small.
    NetworkResult result_;
    NetworkLevels levels_;
    std::optional<NetworkProfileReport> report_;
    testing::ScriptedPlatform platform_;
};

void NetworkProfilePrintTest::initTestCase() {
    NetworkInput in = testing::sewageNetworkExample();
    in.minimumCoverText = "1.0";
    in.sections[0].groundUpperText = "10.250";
    in.sections[0].groundLowerText = "10.200";
    in.sections[0].invertText = "9.200";
    const NetworkOutcome network = computeNetwork(in);
    QVERIFY(network.ok());
    result_ = network.result;
    const NetworkLevelsOutcome levels = computeNetworkLevels(in, result_);
    QVERIFY(levels.ok());
    levels_ = levels.levels;
    report_.emplace(result_, levels_, networkProfilePath(result_, -1));
}

void NetworkProfilePrintTest::printoutIsTheTableThenTheProfilePage() {
    TOVARIN_REQUIRE_POPPLER();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("network.pdf"));
    QVERIFY(report_->printToPdf(platform_, pdf));
    QCOMPARE(testing::pdfPageCount(pdf), 2);
    const QStringList pages = testing::pdfPages(pdf);
    QVERIFY(pages.value(0).contains(QStringLiteral("☆ 流量計算表（汚水排水施設）")));
    QVERIFY(!pages.value(0).contains(QStringLiteral("縦断図")));
    const QString profile = pages.value(1);
    for (const char* expected :
         {"縦断図", "横 1:500", "縦 1:100", "No.1", "No.3", "公共汚水桝", "10.250", "9.200",
          "0.847", "土被りが最小土被りより小さい（上流端）"})
        QVERIFY2(profile.contains(QString::fromUtf8(expected)), expected);
}

void NetworkProfilePrintTest::printImageDrawsTheProfileBelowTheTable() {
    QFont font;
    font.setPointSizeF(9);
    PageSurface page(platform_, font, QSize(1123, 1588), 96);
    page.clear();
    report_->drawPage(page);
    page.finish();
    const QImage& image = page.image();
    // The table's few rows stay in the top third; below them, the profile: its band and
    // lines, the section with a 注意 in the warning colour.
    const testing::Ink below = testing::inkInRows(image, image.height() / 3, image.height());
    QVERIFY(below.black > 1000);
    QVERIFY(below.magenta > 50);
}

QTEST_MAIN(NetworkProfilePrintTest)
#include "NetworkProfilePrintTest.moc"
