// Printing the body-weight window through a real CUPS print server: the
// private one that cups_server.py starts (CUPS_SERVER names its socket),
// whose queue turns every job into a PDF. "File" > "Stampa" must hand the
// server one job of one copy holding one page per copy asked for, each
// page showing the threshold table; cancelling the printer dialog must
// hand it nothing.
#include "forms/form1.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

using forms::Form1;

namespace {

constexpr int toolTimeoutMs = 30'000;
constexpr int jobTimeoutMs = 60'000;
// How long a cancelled print is given to show a job it should not have.
constexpr int noJobWindowMs = 3'000;
const QColor peach(255, 224, 192);

struct ToolResult {
    bool ok = false;
    QByteArray out;
    QString error; // why it failed, for the failure message
};

// Runs a command-line tool to its end (bounded), in this process's
// environment: CUPS tools reach the test's server through CUPS_SERVER.
ToolResult runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(toolTimeoutMs)) {
        result.error = QStringLiteral("%1 did not start: %2").arg(program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.error = QStringLiteral("%1 %2 did not finish in %3 s")
                           .arg(program, arguments.join(' '))
                           .arg(toolTimeoutMs / 1000);
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.ok)
        result.error = QStringLiteral("%1 %2 failed (exit %3): %4")
                           .arg(program, arguments.join(' '))
                           .arg(process.exitCode())
                           .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    return result;
}

// Presses OK on every message box that comes up while it lives and keeps
// the texts: a print failure is reported by a box, which would otherwise
// hold the test until its time runs out.
class MessageCatcher : public QObject {
  public:
    MessageCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer_.start(10);
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// The pixels of about the given colour. The page comes back through
// PostScript and Ghostscript, which may round a channel by a step or two
// (255,224,192 returns as 254,223,192).
int countPixels(const QImage& image, const QColor& colour) {
    constexpr int tolerance = 2;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (std::abs(qRed(line[x]) - colour.red()) <= tolerance &&
                std::abs(qGreen(line[x]) - colour.green()) <= tolerance &&
                std::abs(qBlue(line[x]) - colour.blue()) <= tolerance)
                ++count;
    }
    return count;
}

// A job as the server reports it.
struct Job {
    QString name;
    QString state; // pending, processing, completed, aborted, ...
    int copies = 0;
    int pages = 0; // impressions printed, every copy counted
};

// A check that asks the server at most every 100 ms, however often a wait
// polls it.
template <typename Check> auto throttled(Check check) {
    return [check, last = QElapsedTimer()]() mutable {
        if (last.isValid() && last.elapsed() < 100) return false;
        last.start();
        return check();
    };
}

bool finished(const Job& job) {
    return job.state == "completed" || job.state == "canceled" || job.state == "aborted";
}

} // namespace

// QVERIFY2 builds its message even when the check holds: the server's
// state is gathered only for a check that fails.
#define VERIFY_OR_REPORT(condition, failure)                                                                 \
    do {                                                                                                     \
        if (!(condition)) QFAIL(qPrintable(withServerReport(failure)));                                      \
    } while (false)

class TestCupsPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void printsEveryCopyAsAPageOfOneJob();
    void cancelSubmitsNoJob();

  private:
    // Every job the server knows of on the queue, finished or not.
    QList<Job> jobs() const;
    QList<Job> jobsTitled(const QString& title) const;
    // The PDFs the queue wrote for jobs titled `title`.
    QStringList pdfsTitled(const QString& title) const;
    // Prints what the server knows to stderr, whole (a failure message
    // is cut short), and returns the failure pointing to it.
    QString withServerReport(const QString& failure) const;
    // A job title no other run shares; the queue's name in it lets the
    // server's cleanup find the PDFs this test leaves.
    QString uniqueTitle(const char* what) const;

    QString serverFolder;
    QString queue;
    QString queueUri;
    QStringList pdfFolders;
    Form1* form = nullptr;
};

void TestCupsPrint::initTestCase() {
    const QString socket = qEnvironmentVariable("CUPS_SERVER");
    serverFolder = qEnvironmentVariable("ZELBA_CUPS_FOLDER");
    queue = qEnvironmentVariable("ZELBA_CUPS_QUEUE");
    QVERIFY2(
        !socket.isEmpty() && !serverFolder.isEmpty() && !queue.isEmpty(),
        "CUPS_SERVER, ZELBA_CUPS_FOLDER and ZELBA_CUPS_QUEUE must name the print server that cups_server.py "
        "started: run this test through ctest, which starts it first");
    // IPP reaches a unix socket through a host name that is its path.
    queueUri = QStringLiteral("ipp://%1/printers/%2")
                   .arg(QString::fromLatin1(QUrl::toPercentEncoding(socket)), queue);

    for (const char* tool : {"lpstat", "ipptool", "pdfinfo", "pdftoppm"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing: run scripts/install-deps").arg(tool)));

    const ToolResult scheduler = runTool("lpstat", {"-r"});
    VERIFY_OR_REPORT(scheduler.ok && scheduler.out.contains("scheduler is running"),
                     QStringLiteral("the print server on %1 does not answer: %2%3")
                         .arg(socket, scheduler.error, QString::fromUtf8(scheduler.out).trimmed()));
    const ToolResult printer = runTool("lpstat", {"-p", queue});
    QVERIFY2(printer.ok && printer.out.contains("enabled"),
             qPrintable(QStringLiteral("the queue %1 is not ready: %2%3")
                            .arg(queue, printer.error, QString::fromUtf8(printer.out))));

    QFile folders(serverFolder + "/pdf-folders");
    QVERIFY2(folders.open(QIODevice::ReadOnly), qPrintable("cannot read " + folders.fileName()));
    pdfFolders = QString::fromUtf8(folders.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!pdfFolders.isEmpty());
}

void TestCupsPrint::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestCupsPrint::cleanup() {
    controls::PrinterDialog::answerWith({});
    delete form;
    form = nullptr;
}

QList<Job> TestCupsPrint::jobs() const {
    const ToolResult result = runTool("ipptool", {"-c", queueUri, ZELBA_GET_JOBS_TEST});
    if (!result.ok) qFatal("cannot list the jobs of %s: %s", qPrintable(queueUri), qPrintable(result.error));
    QList<Job> found;
    // job-id,job-name,job-state,copies,job-impressions-completed; the
    // titles used here hold no comma. A job that names no copy count
    // prints once.
    for (const QString& line : QString::fromUtf8(result.out).split('\n', Qt::SkipEmptyParts).mid(1)) {
        const QStringList fields = line.split(',');
        if (fields.size() == 5)
            found.push_back(
                {fields[1], fields[2], fields[3].isEmpty() ? 1 : fields[3].toInt(), fields[4].toInt()});
    }
    return found;
}

QList<Job> TestCupsPrint::jobsTitled(const QString& title) const {
    QList<Job> found;
    for (const Job& job : jobs())
        if (job.name == title) found.push_back(job);
    return found;
}

QStringList TestCupsPrint::pdfsTitled(const QString& title) const {
    QStringList found;
    for (const QString& folder : pdfFolders)
        for (const QString& name : QDir(folder).entryList({"*" + title + "*.pdf"}, QDir::Files))
            found << QDir(folder).filePath(name);
    return found;
}

QString TestCupsPrint::withServerReport(const QString& failure) const {
    const ToolResult printer = runTool("lpstat", {"-p", queue});
    const ToolResult all = runTool("lpstat", {"-W", "all", "-o", queue});
    QString report =
        QStringLiteral("--- lpstat -p %1 ---\n%2%3\n--- lpstat -W all -o %1 ---\n%4%5\n")
            .arg(queue, QString::fromUtf8(printer.out), printer.error, QString::fromUtf8(all.out), all.error);
    for (const QString& folder : pdfFolders)
        report += QStringLiteral("--- PDFs in %1 ---\n%2\n")
                      .arg(folder, QDir(folder).entryList({"*.pdf"}, QDir::Files).join('\n'));
    // The server logs at debug level; of that, what the jobs did: their
    // filters' arguments and exits, their pages, and every error.
    QFile log(serverFolder + "/log/error_log");
    QStringList lines;
    static const QRegularExpression jobLine(R"(^D .*\[Job \d+\] (argv\[|PID .* exited|PAGE:))");
    if (log.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(log.readAll()).split('\n'))
            if (line.startsWith("E ") || (line.contains("[Job ") && !line.startsWith("D ")) ||
                jobLine.match(line).hasMatch())
                lines << line;
    report += QStringLiteral("--- from %1 ---\n").arg(log.fileName()) +
              lines.mid(std::max<qsizetype>(0, lines.size() - 60)).join('\n');
    std::fprintf(stderr, "%s: the print server's state\n%s\n", qPrintable(failure), qPrintable(report));
    return failure + " (the print server's state is printed above)";
}

QString TestCupsPrint::uniqueTitle(const char* what) const {
    return QStringLiteral("%1-%2-%3-%4")
        .arg(queue, QString::fromLatin1(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

void TestCupsPrint::printsEveryCopyAsAPageOfOneJob() {
    const QString title = uniqueTitle("copies");
    const qsizetype jobsBefore = jobs().size();
    QVERIFY(form->Text3->isHidden());

    MessageCatcher messages;
    controls::PrinterDialog::answerWith([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
        printer.setCopyCount(2);
        printer.setDocName(title);
        return true;
    });
    QElapsedTimer clock;
    clock.start();
    form->mnuStamp->trigger();
    QVERIFY2(messages.texts.isEmpty(), qPrintable("printing reported: " + messages.texts.join(" / ")));
    // The job is handed over before the menu command returns, to the queue
    // and not to a file, whatever the printer could have fallen back to;
    // all copies go in one job.
    VERIFY_OR_REPORT(jobs().size() == jobsBefore + 1, "the print command did not submit exactly one job");
    QCOMPARE(jobsTitled(title).size(), 1);

    const bool done =
        QTest::qWaitFor(throttled([&] { return finished(jobsTitled(title).value(0)); }), jobTimeoutMs);
    VERIFY_OR_REPORT(done, QStringLiteral("the job is not done after %1 ms").arg(clock.elapsed()));
    const Job job = jobsTitled(title).value(0);
    VERIFY_OR_REPORT(job.state == "completed", "the job ended " + job.state);
    qInfo("the job took %lld ms", clock.elapsed());
    // Each copy is a page of its own: the server, asked for more than one
    // copy, would repeat them all (four pages on paper).
    QCOMPARE(job.copies, 1);
    QCOMPARE(job.pages, 2);

    // The backend wrote the PDF before the job completed.
    const QStringList pdfs = pdfsTitled(title);
    VERIFY_OR_REPORT(pdfs.size() == 1, "one job, one PDF; found: " + pdfs.join(", "));
    const QString pdf = pdfs.first();
    const ToolResult info = runTool("pdfinfo", {pdf});
    QVERIFY2(info.ok, qPrintable(info.error));
    const QRegularExpressionMatch pages =
        QRegularExpression(R"(^Pages:\s+(\d+)\s*$)", QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(info.out));
    QVERIFY2(pages.hasMatch(), info.out.constData());
    QCOMPARE(pages.captured(1).toInt(), 2);

    // The threshold table, hidden on screen before, is on every page.
    QTemporaryDir renders;
    QVERIFY(renders.isValid());
    const ToolResult render = runTool("pdftoppm", {"-r", "50", "-png", pdf, renders.filePath("page")});
    QVERIFY2(render.ok, qPrintable(render.error));
    const QStringList images = QDir(renders.path()).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    QCOMPARE(images.size(), 2);
    for (const QString& name : images) {
        const QImage image(renders.filePath(name));
        QVERIFY2(!image.isNull(), qPrintable("cannot read " + name));
        // At 50 dpi the table, two thirds of the window's width across an
        // A4 page, covers some 27,000 pixels; a stray few would be noise.
        const int peachPixels = countPixels(image, peach);
        QVERIFY2(peachPixels > 5000,
                 qPrintable(QStringLiteral("%1 of %2 shows %3 pixels of the table's colour")
                                .arg(name, pdf)
                                .arg(peachPixels)));
    }
    QVERIFY(form->Text3->isVisible()); // and it stays up on screen

    QFile::remove(pdf);
}

void TestCupsPrint::cancelSubmitsNoJob() {
    const QString title = uniqueTitle("cancel");
    const qsizetype jobsBefore = jobs().size();

    MessageCatcher messages;
    controls::PrinterDialog::answerWith([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue);
        printer.setCopyCount(2);
        printer.setDocName(title);
        return false;
    });
    form->mnuStamp->trigger();

    // Nothing may show up: watch for a while, stopping at the first sign.
    const bool somethingCame = QTest::qWaitFor(
        throttled([&] { return jobs().size() != jobsBefore || !pdfsTitled(title).isEmpty(); }),
        noJobWindowMs);
    VERIFY_OR_REPORT(!somethingCame, "a cancelled print reached the server");
    QVERIFY2(messages.texts.isEmpty(), qPrintable("cancelling reported: " + messages.texts.join(" / ")));
    QVERIFY(form->Text3->isHidden());
}

QTEST_MAIN(TestCupsPrint)
#include "test_cups_print.moc"
