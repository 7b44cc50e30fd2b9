// The windows printed through Qt's own dialog to a CUPS server the test runs, as whoever runs it, into a PDF.
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QPrintDialog>
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

class TestPrint : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        const QString root = folder.path();
        qputenv("HOME", root.toUtf8()); // where a PDF is proposed
        // Root's cupsd hands the spool and the filters to lp, who must get in.
        QVERIFY(QFile::setPermissions(root, QFile::Permissions(0x7755)));
        for (const char* sub : {"spool", "tmp", "ppd", "out"}) QVERIFY(QDir(root).mkdir(sub));
        QFile::setPermissions(root + "/out", QFile::Permissions(0x7777));
        QVERIFY(QFile::copy("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd",
                            root + "/ppd/" + queue + ".ppd"));
        const std::pair<const char*, QString> files[] = {
            {"cupsd.conf", "Listen " + socket +
                               "\nLogLevel error\nBrowsing No\n<Policy default>\nJobPrivateValues none\n"
                               "<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"},
            {"cups-files.conf",
             QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nStateDir %1\nCacheDir %1\n"
                            "ErrorLog stderr\nAccessLog %1/log\nPageLog %1/log\nPrintcap %1/printcap\n"
                            "ServerKeychain %1/ssl\nFileDevice Yes\n%2")
                 .arg(root, ::geteuid() == 0 ? "User lp\nGroup lp\n" : "")},
            {"printers.conf", "<Printer " + queue + ">\nDeviceURI file://" + pdf +
                                  "\nState Idle\nAccepting Yes\n</Printer>\n"},
            {"jobs.test", R"({OPERATION Get-Jobs GROUP operation-attributes-tag
                ATTR charset attributes-charset utf-8 ATTR naturalLanguage attributes-natural-language en
                ATTR uri printer-uri $uri ATTR keyword which-jobs all ATTR keyword requested-attributes
                job-id,job-state,job-name DISPLAY job-id DISPLAY job-state DISPLAY job-name})"}};
        for (const auto& [name, text] : files) {
            QFile file(root + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size());
        }
        // The server ends with the test, however the test ends.
        cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
        cupsd.start("/usr/sbin/cupsd", {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        QVERIFY2(cupsd.waitForStarted(), qPrintable(cupsd.errorString()));
        qputenv("CUPS_SERVER", socket.toUtf8());
        QTRY_VERIFY_WITH_TIMEOUT(!jobs().isEmpty(), 30'000); // if cupsd ends, it says why above
    }

    void cleanupTestCase() { cupsd.terminate(), cupsd.waitForFinished(); }

    void printsEachCopyAsAPageAndEachWindowToAFile() {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // A weight past 100 kg draws the bar beyond its frame, which clips it.
        control<QLineEdit>("Text1")->setText("1,75");
        control<QLineEdit>("Text2")->setText("150");
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(control<QWidget>("Text3")->isHidden());
        QPicture picture; // the emptied progress bar draws nothing left of itself, for paper to show
        control<QWidget>("ProgressBar1")->render(&picture);
        QVERIFY(picture.boundingRect().left() >= 0);

        print(control<QAction>("mnuStamp"), [](QPrintDialog* dialog) {
            dialog->findChild<QComboBox*>("printers")->setCurrentText(queue);
            dialog->findChild<QSpinBox*>("copies")->setValue(2);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(control<QWidget>("Text3")->isVisible());                           // and stays up
        const QString job = jobs().mid(1).join('\n'), id = job.section(',', 0, 0); // the one job, by its id
        QCOMPARE(job.section(',', 2), form.windowTitle());
        // Once done, a job's name may no longer be given: its state alone is waited for.
        QTRY_COMPARE_WITH_TIMEOUT(jobs().mid(1).join('\n').section(',', 0, 1), id + ",completed", 60'000);
        // The next dialog offers the printer and copies chosen and no page range; Cancel submits nothing.
        QString offered;
        bool rangeShown = true;
        print(control<QAction>("mnuStamp"), [&](QPrintDialog* dialog) {
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            for (QAbstractButton* button : buttons->buttons()) // "Options >>"
                if (buttons->buttonRole(button) == QDialogButtonBox::ResetRole) button->click();
            auto* copies = dialog->findChild<QSpinBox*>("copies");
            rangeShown = !copies->isVisible() || dialog->findChild<QWidget*>("pageSetCombo")->isVisible() ||
                         dialog->findChild<QWidget*>("gbPrintRange")->isVisible();
            offered = dialog->findChild<QComboBox*>("printers")->currentText() + ' ' + copies->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY2(!rangeShown, "the dialog shows page range or page set controls");
        QCOMPARE(offered, queue + " 2");
        QCOMPARE(jobs().size(), 2);

        const QString text = run("pdftotext", {pdf, "-"});
        for (const char* onEachPage : {"\f", "Sovrappeso", "Pericolo di vita!", "48"})
            QCOMPARE(text.count(QString::fromUtf8(onEachPage)), 2);
        QVERIFY2(run("pdffonts", {pdf}).count('\n') > 2, "the pages hold no fonts");
        // Button faces are small pictures; one half the window wide would be the window as a picture.
        for (const QString& row : run("pdfimages", {"-list", pdf}).split('\n').mid(2))
            QVERIFY2(row.simplified().section(' ', 3, 3).toInt() < form.width() / 2, qPrintable(row));
        // The bar, clipped by its frame, keeps its proportion to the table.
        run("pdftoppm", {"-r", "50", "-png", "-singlefile", pdf, folder.filePath("page")});
        const QImage page(folder.filePath("page.png")), shown = form.client()->grab().toImage();
        const QColor bar = shown.pixelColor(control<QWidget>("Shape1")->mapTo(form.client(), QPoint(4, 4)));
        const QColor table = shown.pixelColor(control<QWidget>("Text3")->mapTo(form.client(), QPoint(8, 8)));
        const double onScreen = share(shown, bar, table), onPage = share(page, bar, table);
        QVERIFY2(qAbs(onPage / onScreen - 1) < 0.03, qPrintable(QString("%1 %2").arg(onPage).arg(onScreen)));

        // "Stampa su file (PDF)" proposes the window's title in the home folder and prints there: this window
        // the copies chosen last time, the others a page each with what they show, frames' captions included.
        forms::Form2 ideal;
        forms::Form3 energy;
        const std::tuple<QWidget*, const char*, int, QString> windows[] = {
            {&form, "mnuStamp", 2, "Sovrappeso|Pericolo di vita!|48"},
            {&ideal, "mnuStam", 1, "Uomo|Donna|Peso ideale|Calcola|Chiudi"},
            {&energy, "mnuStampa", 1, "Uomo|Donna|Dispendio energetico|kcal / giorno|Metabolismo basale"}};
        for (const auto& [window, command, pages, texts] : windows) {
            window->show();
            QString proposed;
            print(window->findChild<QAction*>(command), [&](QPrintDialog* dialog) {
                auto* printers = dialog->findChild<QComboBox*>("printers");
                printers->setCurrentIndex(printers->count() - 1);
                proposed = dialog->findChild<QLineEdit*>("filename")->text();
                QTest::keyClick(dialog, proposed.endsWith(".pdf") ? Qt::Key_Return : Qt::Key_Escape);
            });
            QCOMPARE(proposed, folder.filePath(window->windowTitle() + ".pdf"));
            const QString text = run("pdftotext", {proposed, "-"});
            QCOMPARE(text.count('\f'), pages);
            for (const QString& shown : texts.split('|'))
                QVERIFY2(text.simplified().contains(shown), qPrintable(shown + " not in " + text));
        }
    }

  private:
    static inline const QString queue = QStringLiteral("zelba");

    static QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30'000) || process.exitCode() != 0)
            qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // How many pixels of the image have the one colour for each pixel of the other.
    static double share(const QImage& image, QColor colour, QColor other) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const auto *from = reinterpret_cast<const QRgb*>(rgb.constBits()), *to = from + rgb.sizeInBytes() / 4;
        return double(std::count(from, to, colour.rgb())) / double(std::count(from, to, other.rgb()));
    }

    // Triggers a print command and answers the printer dialog it opens as the user would.
    static void print(QAction* command, const std::function<void(QPrintDialog*)>& answer) {
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                timer.stop(), answer(dialog);
        });
        timer.start(10);
        command->trigger();
    }

    template <class Control> Control* control(const char* designName) const {
        if (auto* found = form.findChild<Control*>(QLatin1String(designName))) return found;
        qFatal("no %s", designName);
    }

    // "id,state,name" a job after a heading, none without a server; IPP reaches its socket as a host name.
    QStringList jobs() const {
        const QString uri = "ipp://" + QUrl::toPercentEncoding(socket) + "/printers/" + queue;
        return run("ipptool", {"-c", uri, folder.filePath("jobs.test")}).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir folder;
    const QString socket = folder.filePath("cups.sock"), pdf = folder.filePath("out/page.pdf");
    QProcess cupsd;
    forms::Form1 form;
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
