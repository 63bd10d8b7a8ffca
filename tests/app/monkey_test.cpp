// Random mouse and key events over every page and dialog of the main window, with questions
// answered at random: nothing may crash or hang, and the card saved at the end opens again.

#include "app/main_window.h"

#include "document/card_file.h"
#include "print/print_page.h"
#include "support/files.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>
#include <set>

using namespace vellamo;

namespace {

// Answers every question at random among the buttons offered; files come from a small list.
class RandomPrompter : public document::Prompter {
public:
    RandomPrompter(std::mt19937& random, QStringList openable, QString saveFolder)
        : m_random(random), m_openable(std::move(openable)), m_saveFolder(std::move(saveFolder))
    {
    }

    document::Answer ask(const document::Message& message) override
    {
        using document::Answer;
        switch (message.buttons) {
        case document::MessageButtons::Ok:
            return Answer::Ok;
        case document::MessageButtons::OkCancel:
            return pick({Answer::Ok, Answer::Cancel});
        case document::MessageButtons::YesNo:
            return pick({Answer::Yes, Answer::No});
        case document::MessageButtons::YesNoCancel:
            return pick({Answer::Yes, Answer::No, Answer::Cancel});
        }
        return Answer::Cancel;
    }
    std::optional<QString> chooseFileToOpen(const document::FileRequest&) override
    {
        const std::size_t i = m_random() % std::size_t(m_openable.size() + 1);
        return i == std::size_t(m_openable.size()) ? std::nullopt
                                                   : std::optional<QString>(m_openable[qsizetype(i)]);
    }
    std::optional<QString> chooseFileToSave(const document::FileRequest&) override
    {
        if (m_random() % 4 == 0)
            return std::nullopt;
        return m_saveFolder + QStringLiteral("saved%1.vis").arg(m_random() % 3);
    }

private:
    document::Answer pick(std::initializer_list<document::Answer> answers)
    {
        return *(answers.begin() + m_random() % answers.size());
    }

    std::mt19937& m_random;
    QStringList m_openable;
    QString m_saveFolder;
};

// Qt's printer dialog offers a real file dialog for printing into a file, where random keys would
// make and delete folders anywhere: the monkey sets up the printer at random instead.
class RandomPrinterSetup : public print::PrinterSetup {
public:
    explicit RandomPrinterSetup(std::mt19937& random) : m_random(random) {}
    void setupPrinter(QPrinter& printer) override
    {
        printer.setPageOrientation(m_random() % 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    }

private:
    std::mt19937& m_random;
};

class Monkey {
public:
    Monkey(app::TSDIAppForm& window, std::mt19937& random, int events)
        : m_window(window), m_random(random), m_events(events)
    {
    }

    std::function<void()> onFinished;
    // The dialogs and pages the events reached.
    std::set<QString> seen;
    int sent() const { return m_sent; }
    bool finished() const { return m_finished; }
    // Real file dialogs that opened anyway: closed before any event reached them.
    int fileDialogs = 0;

    // One event per turn of the event loop. The next turn is queued first, so that a dialog or
    // menu opened by this event (a nested loop) keeps receiving events.
    void tick()
    {
        QTimer::singleShot(0, [this] { tick(); });
        if (m_finished)
            return;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* files = qobject_cast<QFileDialog*>(top); files && files->isVisible()) {
                ++fileDialogs;
                files->reject();
                return;
            }
        }
        if (QWidget* popup = QApplication::activePopupWidget();
            popup && (m_sent >= m_events || roll(8) == 0)) {
            popup->close();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (m_sent >= m_events) {
            // Unwind whatever is open, then stop.
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else if (modal)
                modal->close();
            else {
                m_finished = true;
                if (onFinished)
                    onFinished();
            }
            return;
        }
        ++m_sent;
        if (modal)
            seen.insert(QString::fromLatin1(modal->metaObject()->className()) + " \"" + modal->windowTitle() +
                        '"');
        seen.insert("page " + m_window.pages()->tabText(m_window.pages()->currentIndex()));
        if (modal && roll(60) == 0) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            return;
        }
        QWidget* root = QApplication::activePopupWidget();
        if (!root)
            root = modal ? modal : &m_window;
        if (!modal && root == &m_window) {
            const int r = roll(100);
            if (r < 4) {
                m_window.pages()->setCurrentIndex(roll(m_window.pages()->count()));
                return;
            }
            if (r < 6) {
                triggerSomeMenuItem();
                return;
            }
        }
        QWidget* w = someWidget(root);
        const int r = roll(100);
        const QPoint at(roll(std::max(1, w->width())), roll(std::max(1, w->height())));
        if (r < 35) {
            QTest::mouseClick(w, roll(5) == 0 ? Qt::RightButton : Qt::LeftButton, modifiers(), at);
        } else if (r < 40) {
            QTest::mouseDClick(w, Qt::LeftButton, modifiers(), at);
        } else if (r < 60) {
            drag(w, at);
        } else if (r < 88) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : w, someKey(), modifiers());
        } else {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClicks(focus ? focus : w, QString::number(roll(1000)));
        }
    }

private:
    int roll(int n) { return int(m_random() % std::uint32_t(std::max(1, n))); }

    Qt::KeyboardModifiers modifiers()
    {
        const int r = roll(10);
        return r == 0 ? Qt::ShiftModifier : r == 1 ? Qt::ControlModifier : Qt::NoModifier;
    }

    Qt::Key someKey()
    {
        static const Qt::Key keys[] = {
            Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,    Qt::Key_Down,      Qt::Key_Delete,  Qt::Key_Return,
            Qt::Key_Escape, Qt::Key_Tab,   Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Home,    Qt::Key_End,
            Qt::Key_A,      Qt::Key_Z,     Qt::Key_N,     Qt::Key_O,         Qt::Key_S,       Qt::Key_U,
            Qt::Key_H,      Qt::Key_I,     Qt::Key_1,     Qt::Key_PageUp,    Qt::Key_PageDown};
        return keys[roll(int(std::size(keys)))];
    }

    QWidget* someWidget(QWidget* root)
    {
        QList<QWidget*> candidates{root};
        for (QWidget* child : root->findChildren<QWidget*>())
            if (child->isVisible() && child->isEnabled() && child->window() == root->window())
                candidates.append(child);
        return candidates[roll(int(candidates.size()))];
    }

    void drag(QWidget* w, QPoint from)
    {
        QPointer<QWidget> guard(w);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
        QPoint at = from;
        for (int step = 0; step < 4 && guard; ++step) {
            at += QPoint(roll(41) - 20, roll(41) - 20);
            QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(w, &move);
        }
        if (guard)
            QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, at);
    }

    void triggerSomeMenuItem()
    {
        QList<QAction*> items;
        for (QAction* menu : m_window.menuBar()->actions())
            if (menu->menu())
                for (QAction* item : menu->menu()->actions())
                    if (!item->isSeparator() && item->text() != u"&Quit")
                        items.append(item);
        if (!items.isEmpty())
            items[roll(int(items.size()))]->trigger();
    }

    app::TSDIAppForm& m_window;
    std::mt19937& m_random;
    int m_events;
    int m_sent = 0;
    bool m_finished = false;
};

}  // namespace

TEST(Monkey, TenThousandRandomEventsThenTheSavedCardOpens)
{
    QTemporaryDir home;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(home.filePath("logo.png")));
    vellamo::testing::writeFile(home.filePath("not a card.vis"), "plain text");
    std::mt19937 random(20261208);
    RandomPrompter ask(random,
                       {home.filePath("logo.png"), home.filePath("not a card.vis"),
                        home.filePath("saved0.vis"), home.filePath("saved1.vis"),
                        home.filePath("missing.vis")},
                       home.path() + "/");
    // Whatever a random event saves or prints by accident lands in the temporary folder.
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(home.path());
    RandomPrinterSetup printerSetup(random);
    app::ShellDialogs dialogs{&ask, nullptr, nullptr};
    dialogs.printerSetup = &printerSetup;
    app::TSDIAppForm window(home.path() + "/", dialogs);
    window.show();
    window.activateWindow();

    constexpr int Events = 10000;
    Monkey monkey(window, random, Events);
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    monkey.onFinished = [&] { loop.quit(); };
    QTimer::singleShot(0, [&] { monkey.tick(); });
    QTimer::singleShot(480000, &loop, &QEventLoop::quit);  // a hang shows as unfinished
    loop.exec();
    ASSERT_TRUE(monkey.finished()) << "stuck after " << monkey.sent() << " events";
    std::cout << "monkey: " << monkey.sent() << " events in " << clock.elapsed() << " ms over" << std::endl;
    for (const QString& place : monkey.seen)
        std::cout << "  " << place.toStdString() << std::endl;
    EXPECT_EQ(monkey.sent(), Events);
    EXPECT_EQ(monkey.fileDialogs, 0);

    const QString saved = home.filePath("final.vis");
    ASSERT_TRUE(document::Saveit(window.doc(), saved, ask));
    document::CardDocument reopened;
    const auto read = document::readCardBytes(vellamo::testing::readFile(saved), reopened);
    EXPECT_TRUE(read.signatureMatched && read.complete);
    EXPECT_EQ(document::cardToBytes(reopened), vellamo::testing::readFile(saved));
    QDir::setCurrent(workingFolder);
}
