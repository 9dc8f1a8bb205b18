// The document file on disk: a save that runs out of room keeps the old document
// whole, and a symbolic link stays a link.

#include "documents/DocumentFile.h"

#include "tests/support/SpecialFiles.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tovarin;
using tovarin::testing::fileBytes;
using tovarin::testing::writeBytes;

namespace {

// A document-sized text of 9 KB: larger than the room left, smaller than Qt's
// write buffer, so a buffered write would seem to succeed.
std::string nineKilobytes() {
    std::string text;
    while (text.size() < 9 * 1024)
        text += "line of a document\r\n";
    return text;
}

// Saves in a child process whose files cannot grow beyond `roomBytes`, the stand-in
// for a full disk. The child's exit status: 0 when the save reported its failure, 1
// when it claimed success, 2 when the message does not name the file; -2 where the
// system cannot limit the size of files.
int saveWithLittleRoom(const QString& path, const std::string& bytes, long long roomBytes) {
    return testing::inChildWithRoom(roomBytes, [&] {
        const QString message = writeDocumentFile(path, bytes);
        if (message.isEmpty())
            return 1;
        return message == QStringLiteral("ファイル「%1」に保存できませんでした。\n"
                                         "ディスクの空き容量が足りない可能性があります。")
                              .arg(path)
                   ? 0
                   : 2;
    });
}

} // namespace

class DocumentFileTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void fullDiskKeepsTheOldDocument() {
        const QString document = path(QStringLiteral("document.tvr"));
        const QByteArray old = QByteArray::fromStdString(nineKilobytes()).replace("line", "LINE");
        QVERIFY(writeBytes(document, old));
        // Overwriting: the old document stays byte for byte.
        const int overwritten = saveWithLittleRoom(document, nineKilobytes(), 4096);
        if (overwritten == -2)
            QSKIP("no limit on the size of a process's files on this system");
        QCOMPARE(overwritten, 0);
        QCOMPARE(fileBytes(document), old);
        // A new name: no file, not even an empty one.
        const QString fresh = path(QStringLiteral("fresh.tvr"));
        QCOMPARE(saveWithLittleRoom(fresh, nineKilobytes(), 4096), 0);
        QVERIFY(!QFileInfo::exists(fresh));
        // No temporary file left beside them.
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("document.tvr")});

        // With room enough the same save goes through.
        QCOMPARE(saveWithLittleRoom(document, nineKilobytes(), 1 << 20), 1);
        QCOMPARE(fileBytes(document), QByteArray::fromStdString(nineKilobytes()));
    }

    void aSymbolicLinkIsWrittenThrough() {
        const QString document = path(QStringLiteral("document.tvr"));
        QVERIFY(writeBytes(document, "old\r\n"));
        const QString link = path(QStringLiteral("link.tvr"));
        if (!testing::makeSymbolicLink(document, link))
            QSKIP("no symbolic links for a user on this system");

        QCOMPARE(writeDocumentFile(link, "new\r\n"), QString());
        QCOMPARE(fileBytes(document), QByteArray("new\r\n"));
        QVERIFY(QFileInfo(link).isSymLink());
    }

    // Another program holds the document open and shares nothing: the save is
    // reported and the old document stays whole, with no temporary file beside it.
    void aDocumentAnotherProgramHoldsKeepsItsOldBytes() {
        const QString document = path(QStringLiteral("document.tvr"));
        QVERIFY(writeBytes(document, "old\r\n"));
        {
            const testing::LockedFile lock(document);
            if (!lock.held())
                QSKIP("no file locks that keep other programs out on this system");
            QVERIFY(!writeDocumentFile(document, "new\r\n").isEmpty());
        }
        QCOMPARE(fileBytes(document), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("document.tvr")});
    }

    // The reader refuses a document over its limit: the writer must not leave one.
    void aDocumentTheReaderWouldRefuseIsNotWritten() {
        const QString document = path(QStringLiteral("document.tvr"));
        QVERIFY(writeBytes(document, "old\r\n"));
        const std::string huge(4 * 1024 * 1024 + 1, 'x');
        QCOMPARE(writeDocumentFile(document, huge),
                 QStringLiteral("ファイル「%1」に保存できませんでした。\n計算書データが大きすぎます"
                                "（4194304バイトまで）。保存しても開けません。")
                     .arg(document));
        QCOMPARE(fileBytes(document), QByteArray("old\r\n"));
        QCOMPARE(writeDocumentFile(document, huge.substr(1)), QString());
        QVERIFY(readDocumentFile(document).message.contains(
            QStringLiteral("計算書データではありません")));
    }

    // A name as long as the system allows (82 Japanese characters and ".tvr" take
    // 250 bytes) is saved over again and again.
    void aLongNameIsSavedOverAgain() {
        const QString document = path(QString(82, QChar(0x8a08)) + QStringLiteral(".tvr"));
        QCOMPARE(writeDocumentFile(document, "first\r\n"), QString());
        QCOMPARE(writeDocumentFile(document, "second\r\n"), QString());
        QCOMPARE(fileBytes(document), QByteArray("second\r\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
    }

    // A name that cannot be looked at is no free name: nothing replaces it, and the
    // message says why; so does any other failure the system explains.
    void aFailureSaysWhy() {
        const QString loop = path(QStringLiteral("loopa.tvr"));
        if (!testing::makeSymbolicLink(path(QStringLiteral("loopb.tvr")), loop) ||
            !testing::makeSymbolicLink(loop, path(QStringLiteral("loopb.tvr"))))
            QSKIP("no symbolic links for a user on this system");
        QCOMPARE(writeDocumentFile(loop, "new\r\n"),
                 QStringLiteral("ファイル「%1」に保存できませんでした。\n"
                                "シンボリックリンクが循環しています。")
                     .arg(loop));
        QVERIFY(QFileInfo(loop).isSymLink());

        const QString lost = path(QStringLiteral("no folder/document.tvr"));
        QCOMPARE(
            writeDocumentFile(lost, "new\r\n"),
            QStringLiteral("ファイル「%1」に保存できませんでした。\nフォルダが見つかりません。")
                .arg(lost));
    }

private:
    QString path(const QString& name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir; // a fresh folder for each test
};

QTEST_GUILESS_MAIN(DocumentFileTest)
#include "DocumentFileTest.moc"
