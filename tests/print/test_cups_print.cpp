// Printing the body-weight window through a real CUPS print server: the
// private one that cups_server.py starts (CUPS_SERVER names its socket),
// whose queue turns every job into a PDF. "File" > "Stampa" must hand the
// server one job of one copy holding one page per copy asked for, each
// page showing the threshold table; cancelling the printer dialog must
// hand it nothing.
#include "../forms/support.h"
#include "forms/form1.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using forms::Form1;

// A job as the server reports it.
struct Job {
    QString name, state;       // state: pending, processing, completed, aborted, ...
    int copies = 0, pages = 0; // pages: impressions printed, every copy counted
};

class TestCupsPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        const QString socket = qEnvironmentVariable("CUPS_SERVER");
        folder = qEnvironmentVariable("ZELBA_CUPS_FOLDER");
        queue = qEnvironmentVariable("ZELBA_CUPS_QUEUE");
        QVERIFY2(!socket.isEmpty() && !folder.isEmpty() && !queue.isEmpty(),
                 "no print server named: run this test through ctest, which starts cups_server.py first");
        // IPP reaches a unix socket through a host name that is its path.
        queueUri = QStringLiteral("ipp://%1/printers/%2")
                       .arg(QString::fromLatin1(QUrl::toPercentEncoding(socket)), queue);
        QFile folders(folder + "/pdf-folders");
        QVERIFY2(folders.open(QIODevice::ReadOnly), qPrintable("cannot read " + folders.fileName()));
        pdfFolders = QString::fromUtf8(folders.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    void init() {
        form = new Form1;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanup() {
        controls::PrinterDialog::answerWith({});
        delete form;
        if (!QTest::currentTestFailed()) return;
        // What the server's log says of the jobs, and its errors.
        QFile log(folder + "/error_log");
        QByteArrayList lines;
        if (log.open(QIODevice::ReadOnly))
            for (const QByteArray& line : log.readAll().split('\n'))
                if (line.contains("[Job ") || line.startsWith("E ")) lines << line;
        qWarning("the print server's log:\n%s",
                 lines.mid(std::max<qsizetype>(0, lines.size() - 30)).join('\n').constData());
    }

    void printsEveryCopyAsAPageOfOneJob() {
        const qsizetype before = jobs().size();
        const QString title = answerPrint("copies", true);
        QVERIFY(form->Text3->isHidden());
        MessageAnswerer messages;
        form->mnuStamp->trigger();
        QVERIFY2(messages.texts.empty(), qPrintable("printing reported: " + messages.last()));
        // The job is handed over before the menu command returns, to the
        // queue and not to a file; all copies go in one job.
        QCOMPARE(jobs().size(), before + 1);
        Job job = jobTitled(title);
        QCOMPARE(job.name, title);
        const QDeadlineTimer deadline(60'000);
        while (!QStringList{"completed", "canceled", "aborted"}.contains(job.state) &&
               !deadline.hasExpired()) {
            QTest::qWait(100);
            job = jobTitled(title);
        }
        QCOMPARE(job.state, QStringLiteral("completed"));
        // Each copy is a page of its own: the server, asked for more than
        // one copy, would repeat them all (four pages on paper).
        QCOMPARE(job.copies, 1);
        QCOMPARE(job.pages, 2);

        // The backend wrote the PDF before the job completed.
        QStringList pdfs;
        for (const QString& pdfFolder : pdfFolders)
            for (const QFileInfo& file : QDir(pdfFolder).entryInfoList({'*' + title + "*.pdf"}, QDir::Files))
                pdfs << file.filePath();
        QCOMPARE(pdfs.size(), 1);
        QCOMPARE(pdfPageCount(pdfs[0]), 2);
        // The threshold table, hidden on screen before, is on every page:
        // at 40 dpi it covers some 17,000 pixels, a stray few would be noise.
        QTemporaryDir renders;
        for (int page = 1; page <= 2; ++page) {
            const int peach =
                countPixels(renderPdfPage(pdfs[0], page, renders.path()), QColor(255, 224, 192));
            QVERIFY2(
                peach > 5000,
                qPrintable(
                    QStringLiteral("page %1 shows %2 pixels of the table's colour").arg(page).arg(peach)));
        }
        QVERIFY(form->Text3->isVisible()); // and it stays up on screen
    }

    void cancelSubmitsNoJob() {
        const qsizetype before = jobs().size();
        answerPrint("cancel", false);
        MessageAnswerer messages;
        form->mnuStamp->trigger();
        // A print reaches the server before the command returns (see above).
        QCOMPARE(jobs().size(), before);
        QVERIFY2(messages.texts.empty(), qPrintable("cancelling reported: " + messages.last()));
        QVERIFY(form->Text3->isHidden());
    }

  private:
    // Every job the server knows of on the queue, finished or not.
    QList<Job> jobs() const {
        QProcess ipptool;
        ipptool.start(QStringLiteral("ipptool"),
                      {QStringLiteral("-c"), queueUri, QStringLiteral(ZELBA_GET_JOBS_TEST)});
        if (!ipptool.waitForFinished(30'000) || ipptool.exitCode() != 0)
            qFatal("cannot list the jobs of %s: %s%s", qPrintable(queueUri),
                   qPrintable(ipptool.errorString()), ipptool.readAllStandardError().constData());
        // A header, then name,state,copies,pages; the titles here hold no
        // comma. A job that names no copy count prints once.
        QList<Job> found;
        for (const QString& line : QString::fromUtf8(ipptool.readAllStandardOutput()).split('\n').mid(1))
            if (const QStringList field = line.split(','); field.size() == 4)
                found.push_back(
                    {field[0], field[1], field[2].isEmpty() ? 1 : field[2].toInt(), field[3].toInt()});
        return found;
    }

    Job jobTitled(const QString& title) const {
        for (const Job& job : jobs())
            if (job.name == title) return job;
        return {};
    }

    // The printer dialog will answer two copies to the queue, confirmed or
    // not, for a job titled after the queue (the server's stop removes the
    // PDFs so named) and unique to this run.
    QString answerPrint(const char* what, bool confirmed) {
        const QString title = QStringLiteral("%1-%2-%3-%4")
                                  .arg(queue, QLatin1String(what))
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        controls::PrinterDialog::answerWith([=, queue = queue](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(queue);
            printer.setCopyCount(2);
            printer.setDocName(title);
            return confirmed;
        });
        return title;
    }

    QString folder, queue, queueUri;
    QStringList pdfFolders;
    Form1* form = nullptr;
};

QTEST_MAIN(TestCupsPrint)
#include "test_cups_print.moc"
