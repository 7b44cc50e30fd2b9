// Printing the windows through a CUPS server of the test's own,
// run as whoever runs the test (root lends its filters to lp), in a temporary
// folder, with a PDF printer that writes every job to one file. The printer
// dialog is Qt's own, driven through its widgets.
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QPrintDialog>
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

const QString queue = QStringLiteral("zelba");

bool write(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30'000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        const QString root = folder.path();
        qputenv("HOME", root.toUtf8()); // where a PDF is proposed
        // Root's cupsd hands the spool and the filters to lp, who must get in.
        QVERIFY(QFile::setPermissions(root, QFile::Permissions(0x7755)));
        for (const char* sub : {"spool", "tmp", "ppd", "out"}) QVERIFY(QDir(root).mkdir(sub));
        QFile::setPermissions(root + "/out", QFile::Permissions(0x7777));
        QVERIFY(write(root + "/cupsd.conf",
                      "Listen " + socket() +
                          "\nLogLevel error\nBrowsing No\n<Policy default>\n"
                          "JobPrivateValues none\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"));
        QVERIFY(write(
            root + "/cups-files.conf",
            QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nStateDir %1\nCacheDir %1\n"
                           "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/log\nPrintcap %1/printcap\n"
                           "ServerKeychain %1/ssl\nFileDevice Yes\n%2")
                .arg(root, ::geteuid() == 0 ? "User lp\nGroup lp\n" : "")));
        QVERIFY(write(root + "/printers.conf", "<Printer " + queue + ">\nDeviceURI file://" + pdf() +
                                                   "\nState Idle\nAccepting Yes\n</Printer>\n"));
        QVERIFY(QFile::copy("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd",
                            root + "/ppd/" + queue + ".ppd"));
        QVERIFY(write(root + "/jobs.test",
                      "{OPERATION Get-Jobs\nGROUP operation-attributes-tag\n"
                      "ATTR charset attributes-charset utf-8\nATTR naturalLanguage "
                      "attributes-natural-language en\nATTR uri printer-uri $uri\n"
                      "ATTR keyword which-jobs all\nATTR keyword requested-attributes "
                      "job-id,job-state,job-name\nDISPLAY job-id\nDISPLAY job-state\nDISPLAY job-name}"));
        // The server ends with the test, however the test ends.
        cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
        cupsd.start("/usr/sbin/cupsd", {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        QVERIFY2(cupsd.waitForStarted(), qPrintable(cupsd.errorString()));
        qputenv("CUPS_SERVER", socket().toUtf8());
        QTRY_VERIFY_WITH_TIMEOUT(cupsd.state() != QProcess::Running || jobs(), 30'000);
        QVERIFY(cupsd.state() == QProcess::Running); // cupsd said why above
    }

    void cleanupTestCase() {
        cupsd.terminate();
        if (!cupsd.waitForFinished(15'000)) cupsd.kill();
    }

    void cancelPrintsNothingConfirmPrintsEachCopyAsAPage() {
        form = std::make_unique<forms::Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const int before = jobs()->size();
        // A weight past 100 kg draws the bar beyond its frame, which clips it.
        control<QLineEdit>("Text1")->setText("1,75");
        control<QLineEdit>("Text2")->setText("150");
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(control<QWidget>("Text3")->isHidden());
        QPicture picture; // the emptied progress bar draws nothing left of itself, for paper to show
        control<QWidget>("ProgressBar1")->render(&picture);
        QVERIFY(picture.boundingRect().left() >= 0);

        bool rangeShown = true;
        answerDialog([&](QPrintDialog* dialog) {
            const auto* buttons = dialog->findChild<QDialogButtonBox*>();
            for (QAbstractButton* button : buttons->buttons())
                if (buttons->buttonRole(button) == QDialogButtonBox::ResetRole)
                    button->click(); // "Options >>"
            auto* copies = dialog->findChild<QSpinBox*>("copies");
            rangeShown = !copies->isVisible() || dialog->findChild<QWidget*>("pageSetCombo")->isVisible() ||
                         dialog->findChild<QWidget*>("gbPrintRange")->isVisible();
            auto* printers = dialog->findChild<QComboBox*>("printers");
            printers->setCurrentIndex(printers->findText(queue));
            copies->setValue(2);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        control<QAction>("mnuStamp")->trigger();
        QVERIFY2(!rangeShown, "the dialog shows page range or page set controls");
        QVERIFY(control<QWidget>("Text3")->isVisible()); // and stays up

        const QMap<int, QString> after = *jobs();
        QCOMPARE(after.size(), before + 1); // one job, known by its id
        const int id = after.lastKey();
        QCOMPARE(after[id].section(',', 1), form->windowTitle());
        QTRY_COMPARE_WITH_TIMEOUT(jobs()->value(id).section(',', 0, 0), QStringLiteral("completed"), 60'000);
        // The next dialog offers the printer and copies chosen; Cancel submits nothing.
        QString offered;
        answerDialog([&](QPrintDialog* dialog) {
            offered = dialog->findChild<QComboBox*>("printers")->currentText() + ' ' +
                      dialog->findChild<QSpinBox*>("copies")->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        control<QAction>("mnuStamp")->trigger();
        QCOMPARE(offered, queue + " 2");
        QCOMPARE(jobs()->size(), before + 1);

        QCOMPARE(pages(pdf()), "2");
        QVERIFY2(run("pdffonts", {pdf()}).count('\n') > 2, "the pages hold no fonts");
        // Small pictures of button faces are fine; one as wide as half the
        // window would be the window, or the page, as a picture.
        for (const QString& row : run("pdfimages", {"-list", pdf()}).split('\n').mid(2, -1))
            QVERIFY2(row.simplified().section(' ', 3, 3).toInt() < form->client()->width() / 2,
                     qPrintable(row));
        // The bar, clipped by its frame, keeps its proportion to the table.
        QTemporaryDir renders;
        QVERIFY(QProcess::execute("pdftoppm",
                                  {"-r", "50", "-png", "-singlefile", pdf(), renders.filePath("page")}) == 0);
        const QImage page(renders.filePath("page.png")), shown = form->client()->grab().toImage();
        const auto colourAt = [&](const char* name, QPoint offset) {
            return shown.pixelColor(control<QWidget>(name)->mapTo(form->client(), offset));
        };
        const QColor bar = colourAt("Shape1", {4, 4}), table = colourAt("Text3", {8, 8});
        const double onScreen = count(shown, bar) / count(shown, table);
        const double onPage = count(page, bar) / count(page, table);
        QVERIFY2(qAbs(onPage / onScreen - 1) < 0.03, qPrintable(QString("%1 %2").arg(onPage).arg(onScreen)));

        const QString text = run("pdftotext", {pdf(), "-"});
        for (const char* expected : {"Sovrappeso", "Pericolo di vita!", "48"})
            QCOMPARE(text.count(QString::fromUtf8(expected)), 2);

        // "Stampa su file (PDF)" proposes the window's title in the home folder and prints there.
        QString proposed;
        answerDialog([&](QPrintDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            printers->setCurrentIndex(printers->count() - 1);
            proposed = dialog->findChild<QLineEdit*>("filename")->text();
            QTest::keyClick(dialog, proposed.endsWith(".pdf") ? Qt::Key_Return : Qt::Key_Escape);
        });
        control<QAction>("mnuStamp")->trigger();
        QCOMPARE(proposed, folder.filePath(form->windowTitle() + ".pdf"));
        QCOMPARE(pages(proposed), "2"); // the copies chosen last time
    }

    // The other windows print themselves to a file too: one page, with
    // what they show, their frames' captions included.
    void theOtherWindowsPrintThemselves() {
        for (const bool ideal : {true, false}) {
            std::unique_ptr<forms::Form> window(ideal ? static_cast<forms::Form*>(new forms::Form2)
                                                      : new forms::Form3);
            window->show();
            answerDialog([](QPrintDialog* dialog) {
                auto* printers = dialog->findChild<QComboBox*>("printers");
                printers->setCurrentIndex(printers->count() - 1);
                QTest::keyClick(dialog, Qt::Key_Return);
            });
            window->findChild<QAction*>(ideal ? "mnuStam" : "mnuStampa")->trigger();
            const QString file = folder.filePath(window->windowTitle() + ".pdf");
            QCOMPARE(pages(file), "1");
            const QString text = run("pdftotext", {file, "-"}).simplified();
            for (const QString& shown :
                 QString(ideal ? "Uomo|Donna|Peso ideale|Calcola|Chiudi"
                               : "Uomo|Donna|Dispendio energetico|kcal / giorno|Metabolismo basale")
                     .split('|'))
                QVERIFY2(text.contains(shown), qPrintable(shown + " not in " + text));
        }
    }

  private:
    static double count(const QImage& image, QColor colour) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
        return double(std::count(pixels, pixels + rgb.width() * rgb.height(), colour.rgb()));
    }
    template <class Control> Control* control(const char* designName) const {
        auto* found = form->findChild<Control*>(QLatin1String(designName));
        if (!found) qFatal("no %s", designName);
        return found;
    }
    static QString pages(const QString& pdf) {
        return run("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).trimmed();
    }
    QString socket() const { return folder.filePath("cups.sock"); }
    QString pdf() const { return folder.filePath("out/page.pdf"); }

    // Every job of the queue: its id to its state and name; none while the
    // server does not answer.
    std::optional<QMap<int, QString>> jobs() const {
        // IPP reaches a unix socket through a host name that is its path.
        const QString uri = "ipp://" + QUrl::toPercentEncoding(socket()) + "/printers/" + queue;
        const QStringList lines = run("ipptool", {"-c", uri, folder.filePath("jobs.test")}).split('\n');
        if (lines.size() < 2) return std::nullopt;
        QMap<int, QString> found;
        for (const QString& line : lines.mid(1))
            if (!line.isEmpty()) found.insert(line.section(',', 0, 0).toInt(), line.section(',', 1));
        return found;
    }

    // Answers the next printer dialog as the user would.
    void answerDialog(std::function<void(QPrintDialog*)> answer) {
        auto* timer = new QTimer(form.get());
        connect(timer, &QTimer::timeout, [=] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                timer->deleteLater();
                timer->stop();
                answer(dialog);
            }
        });
        timer->start(10);
    }

    QTemporaryDir folder;
    QProcess cupsd;
    std::unique_ptr<forms::Form1> form;
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
