#include "ui/report/graphpage.h"

#include "core/calc/units.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"
#include "ui/report/graphpainter.h"
#include "ui/report/reportprinter.h"

#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace {

// The drawing area: paints the page's graph afresh whenever the window needs it, so the
// drawing persists across repaints.
class GraphView : public QWidget {
  public:
    GraphView(QWidget* parent, const graph::Model& model) : QWidget(parent), model_(model) {
        setObjectName(QStringLiteral("picGraph"));
        setAutoFillBackground(false);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintGraph(p, model_, twips::logicalDpi(this) / 1440.0);
    }

  private:
    const graph::Model& model_;
};

} // namespace

fmGraph::fmGraph(PageHost& host) : MainPage(host, QStringLiteral("fmGraph")) {
    using pagemenus::addItem;
    using pagemenus::addMenu;
    QMenu* file = addMenu(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"),
            [this] { this->host().saveCommand(this); });
    addItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("Sav&e As"),
            [this] { this->host().saveAsCommand(this); });
    file->addSeparator();
    addItem(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit"),
            [this] { this->host().exitCommand(this); });
    pagemenus::addBarItem(this, QStringLiteral("mnuBack"), QStringLiteral("&Back"),
                          [this] { Command3D1_Click(); });
    QMenu* unitsMenu = addMenu(this, QStringLiteral("mnuUnits"), QStringLiteral("&Units"));
    addItem(unitsMenu, QStringLiteral("mnuInWcCfm"), QStringLiteral("&InWc-Cfm"),
            [this] { units_Click(units::InWcCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaCfm"), QStringLiteral("&Pa-Cfm"),
            [this] { units_Click(units::PaCfm); });
    addItem(unitsMenu, QStringLiteral("mnuPaM3h"), QStringLiteral("Pa-&M3h"),
            [this] { units_Click(units::PaM3h); });
    QMenu* help = addMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    addItem(help, QStringLiteral("mnuInstructions"), QStringLiteral("&Instructions"),
            [this] { mnuInstructions_Click(); });
    addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("A&bout"),
            [this] { this->host().aboutCommand(this); });

    QFrame* frame = makeFrame(9600, 7000);
    frame->setFrameShape(QFrame::NoFrame);
    drawing_ = new GraphView(frame, model_);
    twips::place(drawing_, 0, 0, static_cast<int>(kGraphWidthTwips),
                 static_cast<int>(kGraphHeightTwips));
    // Left of the flow axis, under its lowest label: nothing of the graph stands there.
    Command3D1_ = new QPushButton(QStringLiteral("Back"), drawing_);
    Command3D1_->setObjectName(QStringLiteral("Command3D1"));
    twips::place(Command3D1_, 60, static_cast<int>(graph::kY0 - graph::kAreaTop) + 150, 700, 300);
    connect(Command3D1_, &QPushButton::clicked, this, &fmGraph::Command3D1_Click);
}

void fmGraph::Form_Load() {
    TestRecord& r = rec();
    model_ = graph::buildGraph(r, r.UnitSystemG);
    sizeAndCentre();
    setWindowTitle(pageCaption(QStringLiteral("Graph Page")));
    show();
    drawing_->update();
    if (r.PrintGraphNowG == 1) {
        Command3D1_->hide();
        printGraph(this, r);
        Command3D1_->show();
    }
}

void fmGraph::Command3D1_Click() {
    host().showPage(PageId::Measurement);
}

void fmGraph::units_Click(int16_t system) {
    setUnitSystem(rec(), system);
    host().showPage(PageId::Graph);
}

void fmGraph::mnuInstructions_Click() {
    pagemenus::showInstructions(this, {instructionsText()});
}

QString fmGraph::instructionsText() {
    return pagemenus::pageText(QStringLiteral("graph-instructions"));
}

bool printGraph(QWidget* parent, TestRecord& r) {
    r.PrintGraphNowG = 0;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!reportprinter::choosePrinter(parent, printer))
        return false;
    const auto fail = [parent](const QString& why) {
        showMessage(parent, {QStringLiteral("Print Graph"),
                             QStringLiteral("The graph was not printed.") + pagemenus::kBreak + why,
                             QMessageBox::Warning});
        return false;
    };
    if (const QString problem = reportprinter::printerProblem(printer); !problem.isEmpty())
        return fail(problem);
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("The printer could not be opened."));
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale =
        std::min(page.width() / kGraphWidthTwips, page.height() / kGraphHeightTwips);
    paintGraph(painter, graph::buildGraph(r, r.UnitSystemG), scale);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("The printer reported an error."));
    return true;
}
