// Any screen density: run at Qt scale factors 1 and 2 (QT_SCALE_FACTOR set
// by CTest), every window keeps its logical size, its image grows by the
// device pixel ratio, and no caption is cut off at either scale.
#include "app/lifecycle.h"
#include "controls/entrybox.h"
#include "controls/label.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

using namespace forms;

class TestScaling : public QObject {
    Q_OBJECT
private slots:
    void windowScales_data();
    void windowScales();
};

void TestScaling::windowScales_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("body weight") << "Form1";
    QTest::newRow("ideal weight") << "Form2";
    QTest::newRow("energy") << "Form3";
}

void TestScaling::windowScales() {
    QFETCH(QString, window);
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    std::unique_ptr<Form> form;
    if (window == "Form1") form = std::make_unique<Form1>();
    if (window == "Form2") form = std::make_unique<Form2>();
    if (window == "Form3") form = std::make_unique<Form3>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    QCOMPARE(form->client()->size(), QSize(728, 506));
    QCOMPARE(form->devicePixelRatio(), scale);
    const QPixmap image = form->grab();
    QCOMPARE(image.size(), form->size() * scale);

    for (auto* label : form->findChildren<controls::Label*>()) {
        if (label->text().isEmpty()) continue;
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(room, label->alignment() | Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= room.height() && needed.width() <= room.width(),
                 qPrintable(QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                                .arg(label->objectName(), label->text())
                                .arg(needed.width()).arg(needed.height()).arg(room.width()).arg(room.height())));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    for (auto* button : form->findChildren<QAbstractButton*>()) {
        const QString caption = QString(button->text()).remove('&');
        if (caption.startsWith("Option")) continue; // options show only their mark
        QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + 8 <= button->width(), qPrintable(caption));
        QVERIFY2(button->fontMetrics().height() + 4 <= button->height(), qPrintable(caption));
    }
    if (auto* table = form->findChild<controls::MultiLineBox*>()) {
        for (const QString& line : table->toPlainText().split('\n'))
            QVERIFY2(table->fontMetrics().horizontalAdvance(line) <= table->viewport()->width(), qPrintable(line));
    }
    for (auto* box : form->findChildren<QLineEdit*>())
        QVERIFY2(box->fontMetrics().height() + 4 <= box->height(), qPrintable(box->objectName()));
}

QTEST_MAIN(TestScaling)
#include "test_scaling.moc"
