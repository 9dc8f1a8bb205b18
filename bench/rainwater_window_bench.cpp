// Opening a rainwater document of many catchment areas on the program's windows: the
// file read, the area table filled, ΣA and C summed and the result computed. The time
// grows with the number of rows, not with its square.
#include "documents/DocumentCommands.h"
#include "platform/qt/Platform.h"
#include "shell/MDIFofm.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Answers nothing: the document opens without a message.
class SilentPlatform : public tovarin::Platform {
public:
    tovarin::MsgAnswer message(QWidget*, const tovarin::MessageRequest& request) override {
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const tovarin::FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const tovarin::FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

// A rainwater document with `rows` areas, in the folder.
QString documentOfRows(const QTemporaryDir& folder, std::int64_t rows) {
    QByteArray text = QByteArrayLiteral("Tovarin 雨水 1\n");
    for (std::int64_t row = 0; row < rows; ++row)
        text += QByteArrayLiteral("区域=屋根,0.0001,0.90\n");
    text += QByteArrayLiteral("降雨強度=タルボット,5000,40\n流入時間=7\n流下延長=120\n"
                              "施設=矩形,Ｕ型側溝３００,0.30,0.30\n勾配=5.0\n粗度係数=0.015\n"
                              "公式=マニング\n有効水深=水深８割\n");
    const QString path = folder.filePath(QStringLiteral("%1.tvu").arg(rows));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return path;
}

void OpenRainwaterDocumentOfManyAreas(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = documentOfRows(folder, state.range(0));
    if (path.isEmpty()) {
        state.SkipWithError("the document could not be written");
        return;
    }
    SilentPlatform platform;
    tovarin::MDIFofm window(platform, tovarin::OnScreen::Never);
    for (auto _ : state) {
        if (window.documentCommands().openDocument(path) != tovarin::OpenOutcome::Restored) {
            state.SkipWithError("the document gave no result");
            return;
        }
        window.startAfresh();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::removePostedEvents(nullptr);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(OpenRainwaterDocumentOfManyAreas)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
