// Opening the 設計補助 window with a document: the window built, the document read
// on never-shown windows, its size table and curve made, and the window shown with
// its first frame laid out.
#include "aids/AidsWindow.h"
#include "app/ProgramAids.h"
#include "platform/qt/Platform.h"

#include <QApplication>

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

void OpenAidsWindowWithADocument(benchmark::State& state) {
    SilentPlatform platform;
    const QStringList document{QStringLiteral(TOVARIN_EXAMPLES_DIR "/residential-vp.tvr")};
    for (auto _ : state) {
        tovarin::AidsWindow window(platform, tovarin::mainWindowReader());
        window.addDocuments(document);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(OpenAidsWindowWithADocument)->Unit(benchmark::kMillisecond);

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
