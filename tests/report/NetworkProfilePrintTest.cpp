// The network's printout: the flow table on landscape pages, then the profile on a page
// of its own, read back from the PDF with pdftotext.

#include "engine/NetworkLevels.h"
#include "report/NetworkProfile.h"
#include "tests/support/NetworkInputs.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tovarin;

class NetworkProfilePrintTest : public QObject {
    Q_OBJECT
private slots:
    void tableThenProfilePage();
};

void NetworkProfilePrintTest::tableThenProfilePage() {
    if (!testing::hasPoppler())
        QSKIP("poppler's tools are not installed");
    NetworkInput in = testing::sewageNetworkExample();
    in.minimumCoverText = "1.0";
    in.sections[0].groundUpperText = "10.250";
    in.sections[0].groundLowerText = "10.200";
    in.sections[0].invertText = "9.200";
    const NetworkOutcome network = computeNetwork(in);
    QVERIFY(network.ok());
    const NetworkLevelsOutcome levels = computeNetworkLevels(in, network.result);
    QVERIFY(levels.ok());
    const NetworkProfileReport report(network.result, levels.levels,
                                      networkProfilePath(network.result, -1));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("network.pdf"));
    testing::ScriptedPlatform platform;
    QVERIFY(report.printToPdf(platform, pdf));
    QCOMPARE(testing::pdfPageCount(pdf), 2);
    const QStringList pages = testing::pdfPages(pdf);
    QVERIFY(pages.value(0).contains(QStringLiteral("☆ 流量計算表（汚水排水施設）")));
    const QString profile = pages.value(1);
    for (const char* expected :
         {"縦断図", "横 1:500", "縦 1:100", "No.1", "No.3", "公共汚水桝", "10.250", "9.200", "0.847",
          "土被りが最小土被りより小さい（上流端）"})
        QVERIFY2(profile.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(NetworkProfilePrintTest)
#include "NetworkProfilePrintTest.moc"
