#pragma once

// The one fixture of the window tests: the program's pages in a page flow whose end is only
// counted, a folder of its own and a recorder that answers the message boxes; with a print
// dialog that prints into a PDF, and the PDF's text read back.

#include "ui/app/aboutbox.h"
#include "ui/app/pageflow.h"
#include "ui/app/shellpages.h"
#include "ui/calc/measurementpage.h"
#include "ui/common/mainpage.h"
#include "ui/common/messages.h"
#include "ui/record/savepage.h"
#include "ui/report/graphpage.h"
#include "ui/report/previewpage.h"
#include "ui/report/reportprinter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <deque>
#include <vector>

// The offscreen platform warns of every window that sets its size limits; nothing to see.
// Called by the first fixture, once the test library has its own handler in place.
inline void quietSizeHints() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QStringLiteral("propagateSizeHints")))
                previous(type, context, message);
        });
}

// A list from literals of any kind.
inline QStringList strings(std::initializer_list<QAnyStringView> items) {
    QStringList out;
    for (QAnyStringView s : items)
        out << s.toString();
    return out;
}

// A file's bytes, for comparing before and after.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Answers the print dialog while it lives: OK (or Cancel) with `pdf` as the output file, or
// OK with a printer that is not there.
struct PdfDialog {
    explicit PdfDialog(const QString& pdf, bool accept = true, const QString& printer = {}) {
        previous = reportprinter::setDialogHandler([this, pdf, accept, printer](QPrinter& p) {
            ++asked;
            if (!printer.isEmpty()) {
                p.setOutputFormat(QPrinter::NativeFormat);
                p.setPrinterName(printer);
                return true;
            }
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return accept;
        });
    }
    ~PdfDialog() { reportprinter::setDialogHandler(previous); }
    reportprinter::DialogHandler previous;
    int asked = 0;
};

// A PDF's text page by page, as pdftotext lays it out (it ends each page with a form feed).
inline QStringList pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Records every message box and answers from a queue (Ok, or the default button, when empty).
class MessageRecorder {
  public:
    MessageRecorder() {
        previous_ = setMessageHandler([this](const MessageRequest& request) {
            requests.push_back(request);
            if (answers.empty())
                return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                                      : QMessageBox::Ok;
            const auto answer = answers.front();
            answers.pop_front();
            return answer;
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

// Every page of the program but those `without`, on the start page; the program folder is
// `folder`, or a temporary one of the fixture's own.
struct FlowUnderTest {
    explicit FlowUnderTest(const QString& folder = {}, std::initializer_list<PageId> without = {})
        : flow([this] { ++ends; }) {
        static const bool quiet = (quietSizeHints(), true);
        (void)quiet;
        registerShellPages(flow);
        auto add = [&](PageId id, PageFlow::PageFactory factory) {
            if (std::find(without.begin(), without.end(), id) == without.end())
                flow.registerPage(id, std::move(factory));
        };
        add(PageId::Measurement, [](PageHost& host) { return new BDMeasFm4(host); });
        add(PageId::Graph, [](PageHost& host) { return new fmGraph(host); });
        add(PageId::Preview, [](PageHost& host) { return new PPreview(host); });
        flow.setProgramFolder(folder.isEmpty() ? own.path() : folder);
        flow.showPage(PageId::Start);
    }
    ~FlowUnderTest() { flushDeletes(); }

    // Deletes the pages that were left and lets the new page take the focus.
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QString path(const QString& name) const { return QDir(flow.programFolder()).filePath(name); }
    QWidget* page() const { return flow.currentPage(); }
    QString currentName() const { return page() ? page()->objectName() : QString(); }

    template <typename T = QWidget> T* child(QAnyStringView name) const {
        T* found = page() ? page()->findChild<T*>(name.toString()) : nullptr;
        if (!found)
            qWarning("no control %s on the current page", qPrintable(name.toString()));
        return found;
    }

    void click(QAnyStringView name) {
        auto* button = child<QAbstractButton>(name);
        QVERIFY(button);
        QVERIFY2(button->isEnabled(), qPrintable(name.toString() + QStringLiteral(" is disabled")));
        button->click();
        flushDeletes();
    }

    void trigger(QAnyStringView actionName) {
        auto* action = child<QAction>(actionName);
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
        flushDeletes();
    }

    // Types into an entry box as a person would: the old text replaced, key by key.
    void type(QAnyStringView box, QAnyStringView text) {
        auto* edit = child<QLineEdit>(box);
        QVERIFY(edit);
        edit->selectAll();
        if (text.isEmpty())
            edit->del();
        else
            QTest::keyClicks(edit, text.toString());
    }

    QString text(QAnyStringView box) const {
        auto* edit = child<QLineEdit>(box);
        return edit ? edit->text() : QStringLiteral("<missing>");
    }
    QStringList texts(std::initializer_list<QAnyStringView> boxes) const {
        return texts(strings(boxes));
    }
    QStringList texts(const QStringList& boxes) const {
        QStringList out;
        for (const QString& box : boxes)
            out << text(box);
        return out;
    }

    // New File with unit system 1, 2 or 3 from the start page.
    void newFile(int unitSystem) {
        click(unitSystem == 1 ? "Option1" : unitSystem == 2 ? "Option4" : "Option2");
    }

    // New File, then Next to the building page.
    void toBuildingPage(int unitSystem) {
        newFile(unitSystem);
        click("Command3D1");
    }

    // Opens (or reloads) a page straight from the record.
    void show(PageId id) {
        flow.showPage(id);
        flushDeletes();
    }
    void show(PageId id, const TestRecord& r) {
        flow.record() = r;
        show(id);
    }

    // On the save page: the name box replaced by `name`, then Save.
    void saveAs(QAnyStringView name) {
        auto* save = flow.savePage();
        QVERIFY(save);
        auto* box = save->findChild<QLineEdit*>(QStringLiteral("Text5"));
        QVERIFY(box);
        box->clear();
        QTest::keyClicks(box, name.toString());
        save->Command2_Click();
        flushDeletes();
    }

    QTemporaryDir own;
    MessageRecorder messages;
    int ends = 0;
    PageFlow flow;
};
