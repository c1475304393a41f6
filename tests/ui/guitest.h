#pragma once

// Shared pieces of the page tests: a recorder that answers message boxes, a stand-in for the
// measurement page, and a page flow whose end of program is only counted.

#include "ui/app/pageflow.h"
#include "ui/app/shellpages.h"
#include "ui/common/mainpage.h"
#include "ui/common/messages.h"
#include "ui/record/savepage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <deque>
#include <memory>
#include <vector>

// The offscreen platform warns of every window that sets its size limits; nothing to see.
// Call from initTestCase(), once the test library has its own handler in place.
inline void quietSizeHints() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QStringLiteral("propagateSizeHints")))
                previous(type, context, message);
        });
}

// Records every message box and answers from a queue (Ok, or the default button, when empty).
class MessageRecorder {
  public:
    MessageRecorder() {
        previous_ = setMessageHandler([this](const MessageRequest& request) {
            requests.push_back(request);
            if (!answers.empty()) {
                const auto answer = answers.front();
                answers.pop_front();
                return answer;
            }
            return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                                  : QMessageBox::Ok;
        });
        setBeepHandler([this] { ++beeps; });
    }
    ~MessageRecorder() {
        setMessageHandler(previous_);
        setBeepHandler({});
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList titles() const {
        QStringList out;
        for (const auto& r : requests)
            out << r.title;
        return out;
    }

    std::vector<MessageRequest> requests;
    std::deque<QMessageBox::StandardButton> answers;
    int beeps = 0;

  private:
    MessageHandler previous_;
};

// Stands where the measurement page will be, and calls the shared commands the way it does.
class StandInMeasurementPage : public MainPage {
    Q_OBJECT
  public:
    explicit StandInMeasurementPage(PageHost& host) : MainPage(host, QStringLiteral("BDMeasFm4")) {}
    void Form_Load() override {
        sizeAndCentre();
        setWindowTitle(QStringLiteral("stand-in"));
        show();
    }
    void save() { host().saveCommand(this, true); }
    void exit() { host().exitCommand(this); }
    void back() { host().showPage(PageId::Building); }
};

// A page flow with the shell pages and the stand-in, ending into a counter.
struct FlowUnderTest {
    explicit FlowUnderTest(const QString& folder, bool withMeasurement = true)
        : flow([this] { ++ends; }) {
        registerShellPages(flow);
        if (withMeasurement)
            flow.registerPage(PageId::Measurement,
                              [](PageHost& host) { return new StandInMeasurementPage(host); });
        flow.setProgramFolder(folder);
        flow.showPage(PageId::Start);
    }
    ~FlowUnderTest() { flushDeletes(); }

    // Deletes the pages that were left and lets the new page take the focus.
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QString currentName() const {
        return flow.currentPage() ? flow.currentPage()->objectName() : QString();
    }

    template <typename T = QWidget> T* child(const QString& name) const {
        T* found = flow.currentPage() ? flow.currentPage()->findChild<T*>(name) : nullptr;
        if (!found)
            qWarning("no control %s on the current page", qPrintable(name));
        return found;
    }

    void click(const QString& name) {
        auto* button = child<QAbstractButton>(name);
        QVERIFY(button);
        QVERIFY2(button->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
        button->click();
        flushDeletes();
    }

    void trigger(const QString& actionName) {
        auto* action = child<QAction>(actionName);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
        flushDeletes();
    }

    // Types into an entry box as a person would: the old text replaced, key by key.
    void type(const QString& box, const QString& text) {
        auto* edit = child<QLineEdit>(box);
        QVERIFY(edit);
        edit->selectAll();
        if (text.isEmpty())
            edit->del();
        else
            QTest::keyClicks(edit, text);
    }

    QString text(const QString& box) const {
        auto* edit = child<QLineEdit>(box);
        return edit ? edit->text() : QStringLiteral("<missing>");
    }

    // New File with unit system 1, 2 or 3 from the start page.
    void newFile(int unitSystem) {
        const char* option = unitSystem == 1 ? "Option1" : unitSystem == 2 ? "Option4" : "Option2";
        click(QString::fromLatin1(option));
    }

    // New File, then Next to the building page.
    void toBuildingPage(int unitSystem) {
        newFile(unitSystem);
        click(QStringLiteral("Command3D1"));
    }

    // Opens (or reloads) a page straight from the record.
    void show(PageId page) {
        flow.showPage(page);
        flushDeletes();
    }

    // On the save page: the name box replaced by `name`, then Save.
    void saveAs(const QString& name) {
        auto* save = flow.savePage();
        QVERIFY(save);
        auto* box = save->findChild<QLineEdit*>(QStringLiteral("Text5"));
        QVERIFY(box);
        box->clear();
        QTest::keyClicks(box, name);
        save->Command2_Click();
        flushDeletes();
    }

    MessageRecorder messages;
    int ends = 0;
    PageFlow flow;
};
