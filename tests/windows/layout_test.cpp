// SPDX-License-Identifier: MIT
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QWindow>

#include <vector>

#include "window_test_support.h"
#include "windows/frame_box.h"
#include "windows/output_pane.h"

using dealwise::testing::click;
using dealwise::testing::control;

namespace {

struct Expected {
    QString name;
    const char* kind;
    QString parent;
    QRect pixels;
    QString caption;
    double points = 8.25;
    bool bold = false;
};

// The main window's controls in pixels, as a person measuring the window
// would write them down.
std::vector<Expected> expectedControls() {
    std::vector<Expected> rows{
        {"Frame1",
         "dealwise::FrameBox",
         "frmMain",
         {0, 0, 593, 121},
         "Input Your Current Hand Here, in Left-toRight Sequence:"},
        {"lblSpades", "QLabel", "Frame1", {8, 16, 57, 17}, "Spades"},
        {"lblClubs", "QLabel", "Frame1", {8, 40, 57, 17}, "Clubs"},
        {"lblDiamonds", "QLabel", "Frame1", {8, 64, 57, 17}, "Diamonds"},
        {"Hearts", "QLabel", "Frame1", {8, 88, 57, 17}, "Hearts"},
        {"Frame2", "dealwise::FrameBox", "Frame1", {392, 8, 177, 49}, "Hit \"Run\" after entering 7th Card"},
        {"cmdRun", "dealwise::CommandButton", "Frame2", {8, 16, 65, 25}, "Run"},
        {"Label1", "QLabel", "Frame1", {408, 56, 65, 33}, "Score:", 13.5, true},
        {"txtFinalScore", "QLineEdit", "Frame1", {472, 56, 57, 29}, "", 13.5, true},
        {"Frame4", "dealwise::FrameBox", "frmMain", {104, 168, 329, 273}, ""},
        {"picOutput", "dealwise::OutputPane", "Frame4", {24, 24, 281, 241}, ""},
        {"Label5", "QLabel", "Frame4", {16, 8, 137, 33}, "  SCORING DETAILS:", 8.25, true},
        {"cmdReset", "dealwise::CommandButton", "Frame1", {400, 88, 97, 25}, "Input New Hand"},
        {"cmdQuit", "dealwise::CommandButton", "Frame1", {480, 24, 65, 25}, "Quit"},
        {"Label2", "QLabel", "Frame1", {536, 56, 49, 33}, "Play Only 4or More"},
        {"cmdHelp", "dealwise::CommandButton", "Frame1", {504, 88, 57, 25}, "Help"},
    };
    const int lefts[] = {72, 96, 120, 144, 168, 192, 216, 240, 264, 288, 320, 344, 368};
    const char* parts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const char* captions[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const char* suits = "SCDH";
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 13; ++column) {
            rows.push_back({QStringLiteral("cmd%1%2").arg(QChar::fromLatin1(suits[row])).arg(parts[column]),
                            "dealwise::CommandButton", "Frame1",
                            QRect(lefts[column], 16 + 24 * row, column == 9 ? 25 : 17, 17), captions[column]});
        }
    }
    return rows;
}

QStringList tabWalk(QWidget& window, const char* from) {
    control(window, from)->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int step = 0; step < 80; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
        if (visited.last() == from) {
            break;
        }
    }
    return visited;
}

// Round the window once: back at the first card button.
QStringList expectedTabWalk(bool runEnabled) { return dealwise::testing::tabOrder(runEnabled) << "cmdS1"; }

// The pixel density the test runs at: QT_SCALE_FACTOR, or 1. The geometry
// the windows are laid out in is in device-independent pixels and the same
// at every density; a device pixel is 1/density of one.
qreal density() {
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

QRect inDevicePixels(const QRect& area) {
    const qreal d = density();
    return {qRound(area.left() * d), qRound(area.top() * d), qRound(area.width() * d), qRound(area.height() * d)};
}

// The pictures at another density are kept beside the ones at 1.
QString picturePath(const char* name) {
    const QString suffix = density() == 1.0 ? QString() : QStringLiteral("@%1x").arg(density());
    return QStringLiteral(DEALWISE_PICTURE_DIR "/%1%2.png").arg(QString::fromLatin1(name), suffix);
}

// The width of the text as drawn at the test's density, in device-independent
// pixels: glyphs are fitted to device pixels, so at twice the density the
// text need not be exactly as wide as at one.
qreal drawnWidth(const QFont& font, const QString& text) {
    QFont deviceFont = font;
    deviceFont.setPointSizeF(font.pointSizeF() * density());
    return QFontMetricsF(deviceFont).horizontalAdvance(text) / density();
}

// The height of word-wrapped text as drawn at the test's density, and the
// width of its widest line, in device-independent pixels.
QSizeF drawnWrapped(const QFont& font, const QString& text, int width) {
    QFont deviceFont = font;
    deviceFont.setPointSizeF(font.pointSizeF() * density());
    const QRectF bounds =
        QFontMetricsF(deviceFont).boundingRect(QRectF(0, 0, width * density(), 10000), Qt::TextWordWrap, text);
    return bounds.size() / density();
}

// The room a push button of the classic style leaves its caption: its bevel
// takes two pixels on each side.
constexpr int kButtonBevels = 4;

bool hasPixelOf(const QImage& image, const QRect& area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowHasItsCaptionSizeAndPlace() {
        const auto window = dealwise::testing::startMainWindow();
        QCOMPARE(window->objectName(), "frmMain");
        QCOMPARE(window->windowTitle(), "Dealwise");
        QCOMPARE(window->size(), QSize(589, 118));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(window->windowIcon().availableSizes().size(), qsizetype(5));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        // At the stored size only the hand-entry frame shows.
        QVERIFY(control(*window, "Frame4")->visibleRegion().isEmpty());
        QVERIFY(!control(*window, "Frame1")->visibleRegion().isEmpty());
    }

    void everyControlIsWhereAndWhatTheTableSays() {
        const auto window = dealwise::testing::startMainWindow();
        const auto rows = expectedControls();
        QCOMPARE(window->findChildren<QWidget*>().size(), qsizetype(68));
        for (const Expected& row : rows) {
            QWidget* widget = control(*window, row.name.toLatin1().constData());
            const QString where = row.name;
            QVERIFY2(QString::fromLatin1(widget->metaObject()->className()) == row.kind, qPrintable(where));
            QCOMPARE(widget->parentWidget()->objectName(), row.parent);
            QCOMPARE(widget->geometry(), row.pixels);
            QVERIFY2(widget->isEnabled() == (row.name != "cmdRun"), qPrintable(where));
            QVERIFY2(widget->isVisible(), qPrintable(where));
            QCOMPARE(widget->font().family(), "MS Sans Serif");
            QCOMPARE(widget->font().pointSizeF(), row.points);
            QCOMPARE(widget->font().bold(), row.bold);
            QVERIFY2(QStringList({"MS Sans Serif", "Liberation Sans"}).contains(QFontInfo(widget->font()).family()),
                     qPrintable(QFontInfo(widget->font()).family()));
            QString caption;
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                caption = label->text();
                QVERIFY(label->wordWrap());
            } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
                caption = button->text();
                QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(where));
            } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
                caption = frame->title();
            } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                caption = box->text();
            }
            QCOMPARE(caption, row.caption);
        }
    }

    void coloursFollowTheTable() {
        const auto window = dealwise::testing::startMainWindow();
        const QColor darkGreen(0, 128, 0), white(255, 255, 255), darkRed(192, 0, 0), orange(255, 192, 128);
        const QPalette standard = QApplication::palette();
        auto background = [&](const char* name) { return control(*window, name)->palette().color(QPalette::Window); };
        auto text = [&](const char* name) { return control(*window, name)->palette().color(QPalette::WindowText); };
        auto caption = [&](const char* name) { return control<dealwise::FrameBox>(*window, name)->captionColor(); };

        QCOMPARE(background("Frame1"), darkGreen);
        QCOMPARE(caption("Frame1"), standard.color(QPalette::HighlightedText));
        QCOMPARE(background("Frame2"), darkGreen);
        QCOMPARE(caption("Frame2"), white);
        QCOMPARE(background("Label1"), darkGreen);
        QCOMPARE(text("Label1"), orange);
        QCOMPARE(background("Label2"), darkGreen);
        QCOMPARE(text("Label2"), white);
        QCOMPARE(text("lblDiamonds"), darkRed);
        QCOMPARE(text("Hearts"), darkRed);
        QCOMPARE(background("lblSpades"), standard.color(QPalette::Button));
        QCOMPARE(text("lblClubs"), standard.color(QPalette::ButtonText));
        QCOMPARE(background("Frame4"), standard.color(QPalette::Button));
        // A frame's colours do not leak into what it holds.
        QCOMPARE(control(*window, "txtFinalScore")->palette().color(QPalette::Text), standard.color(QPalette::Text));
        QCOMPARE(control(*window, "txtFinalScore")->palette().color(QPalette::Base), standard.color(QPalette::Base));
        QCOMPARE(control(*window, "cmdS1")->palette().color(QPalette::Button), standard.color(QPalette::Button));
    }

    void overlappingControlsStackAsListed() {
        const auto window = dealwise::testing::startMainWindow();
        QWidget* frame1 = control(*window, "Frame1");
        QWidget* quit = control(*window, "cmdQuit");
        QCOMPARE(frame1->childAt(quit->geometry().center()), quit);
        QWidget* frame4 = control(*window, "Frame4");
        QCOMPARE(frame4->childAt(QPoint(30, 30)), control(*window, "picOutput"));
        QCOMPARE(frame4->childAt(QPoint(30, 12)), control(*window, "Label5"));
        QCOMPARE(window->childAt(QPoint(40, 40)), control(*window, "lblClubs"));
        QCOMPARE(control(*window, "Frame2")->childAt(QPoint(10, 18)), control(*window, "cmdRun"));
    }

    void labelsWrapAtTheirWidth() {
        const auto window = dealwise::testing::startMainWindow();
        auto* label = control<QLabel>(*window, "Label2");
        const QFontMetrics metrics(label->font());
        const QRect text = metrics.boundingRect(QRect(0, 0, label->width(), 200), Qt::TextWordWrap, label->text());
        QVERIFY(text.height() >= 2 * metrics.height() && text.height() < 3 * metrics.height());
        QVERIFY(text.height() <= label->height());
    }

    void theDensityScalesDevicePixelsOnly() {
        const auto window = dealwise::testing::startMainWindow();
        QCOMPARE(window->devicePixelRatio(), density());
        QCOMPARE(window->windowHandle()->devicePixelRatio(), density());
        QCOMPARE(window->size(), QSize(589, 118));
        const QPixmap picture = window->grab();
        QCOMPARE(picture.devicePixelRatio(), density());
        QCOMPARE(picture.size(), inDevicePixels(QRect(0, 0, 589, 118)).size());
        for (const char* name : {"cmdS1", "cmdD10", "cmdRun", "txtFinalScore", "Label2", "Frame2"}) {
            QWidget* widget = control(*window, name);
            QVERIFY2(widget->grab().size() == inDevicePixels(widget->rect()).size(), name);
        }
    }

    void everyCaptionFitsItsControl() {
        const auto window = dealwise::testing::startMainWindow();
        auto fitsButton = [](const QPushButton& button) {
            const qreal width = drawnWidth(button.font(), button.text());
            QVERIFY2(width + kButtonBevels <= button.width(),
                     qPrintable(QStringLiteral("%1 \"%2\": %3 px").arg(button.objectName(), button.text()).arg(width)));
        };
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            fitsButton(*button);
        }
        for (QLabel* label : window->findChildren<QLabel*>()) {
            const QSizeF drawn = drawnWrapped(label->font(), label->text(), label->width());
            QVERIFY2(
                drawn.width() <= label->width() && drawn.height() <= label->height(),
                qPrintable(
                    QStringLiteral("%1: %2 x %3 px").arg(label->objectName()).arg(drawn.width()).arg(drawn.height())));
        }
        for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label =
                frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            const qreal width = drawnWidth(frame->font(), frame->title());
            QVERIFY2(
                label.left() + width <= frame->width(),
                qPrintable(QStringLiteral("%1: %2 px from %3").arg(frame->objectName()).arg(width).arg(label.left())));
        }

        // The entry numbers in bold: 1 to 9, then 10 on the wide button and
        // 11 on a narrow one.
        const QStringList entered{"cmdS1", "cmdS2", "cmdS3", "cmdS4",  "cmdS5", "cmdS6",
                                  "cmdS7", "cmdS8", "cmdS9", "cmdS10", "cmdSJ"};
        for (const QString& name : entered) {
            click(*window, name.toLatin1());
        }
        for (const QString& name : entered) {
            auto* button = control<QPushButton>(*window, name.toLatin1());
            QVERIFY(button->font().bold());
            fitsButton(*button);
        }
        QCOMPARE(control<QPushButton>(*window, "cmdSJ")->text(), "11");
    }

    void tabVisitsTheControlsInTheirOrder() {
        const auto window = dealwise::testing::startMainWindow();
        QCOMPARE(tabWalk(*window, "cmdS1"), expectedTabWalk(false));
        dealwise::testing::clickCards(*window, {"cmdS1", "cmdS2", "cmdS3", "cmdS4", "cmdS5", "cmdS6", "cmdS7"});
        QCOMPARE(tabWalk(*window, "cmdS1"), expectedTabWalk(true));
    }

    void pictureShowsTheFrameColours() {
        const auto window = dealwise::testing::startMainWindow();
        // The picture has the window's device pixels.
        const QImage main = window->grab().toImage();
        QVERIFY(main.save(picturePath("frmMain")));
        QCOMPARE(main.pixelColor(inDevicePixels(QRect(68, 110, 1, 1)).center()), QColor(0, 128, 0));
        QVERIFY(hasPixelOf(main, inDevicePixels(QRect(408, 56, 65, 33)), QColor(255, 192, 128)));
        QVERIFY(hasPixelOf(main, inDevicePixels(QRect(8, 0, 300, 12)),
                           QApplication::palette().color(QPalette::HighlightedText)));

        window->resize(589, 460);
        click(*window, "cmdHelp");
        QVERIFY(window->helpWindow()->grab().save(picturePath("frmHelp")));
        dealwise::testing::clickCards(*window, {"cmdS5", "cmdHK", "cmdD1", "cmdC10", "cmdD5", "cmdSJ", "cmdH2"});
        click(*window, "cmdRun");
        QVERIFY(window->grab().save(picturePath("frmMain-scored")));
    }
};

DEALWISE_WINDOW_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
