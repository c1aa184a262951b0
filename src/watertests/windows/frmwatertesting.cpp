#include "frmwatertesting.h"

#include "access/permissions.h"
#include "core/globaldata.h"
#include "core/irecobjectcode.h"
#include "core/listcontrol.h"
#include "core/csupercollection.h"
#include "core/frmconfirmdelete.h"
#include "core/timetablelookups.h"
#include "core/workingwindow.h"
#include "frmwatertestdetail.h"
#include "platform/ui/buttons.h"
#include "platform/ui/callbyname.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/labels.h"
#include "platform/ui/windowregistry.h"
#include "watertests/testlist.h"
#include "watertests/watertest.h"
#include "watertests/watertestfactory.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

watertests::GridPrinter &gridPrinter()
{
    static watertests::GridPrinter printer;
    return printer;
}

// Runs one step of opening the window; a failing step leaves the rest to run.
template <class F> void step(F &&f)
{
    try {
        f();
    } catch (...) {
    }
}

constexpr int DeleteWaterTestsFlag = 13;

} // namespace

frmWaterTesting::frmWaterTesting()
{
    setObjectName(QStringLiteral("frmWaterTesting"));
    setCaption(QStringLiteral("Water Testing"));

    Image1 = core::NewLogoLabel(this);
    Label2 = ui::headingLabel(QStringLiteral("Water Testing"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label1 = new QLabel(QStringLiteral("Select Month:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cboMonth = new QComboBox(this);
    cboMonth->setObjectName(QStringLiteral("cboMonth"));
    Label1->setBuddy(cboMonth);
    Label9 = new QLabel(QStringLiteral("Select Pool Area:"), this);
    Label9->setObjectName(QStringLiteral("Label9"));
    cboPoolArea = new QComboBox(this);
    cboPoolArea->setObjectName(QStringLiteral("cboPoolArea"));
    core::setListSorted(cboPoolArea, true);
    Label9->setBuddy(cboPoolArea);
    grd = new ui::FlexGrid(this);
    grd->setObjectName(QStringLiteral("grd"));
    cmdNew = ui::namedButton(QStringLiteral("New"), QStringLiteral("cmdNew"), this);
    cmdEdit = ui::namedButton(QStringLiteral("Edit"), QStringLiteral("cmdEdit"), this);
    cmdDelTest = ui::namedButton(QStringLiteral("Delete"), QStringLiteral("cmdDelTest"), this);
    Command3 = ui::namedButton(QStringLiteral("Print Records"), QStringLiteral("Command3"), this);
    Command3->setEnabled(bool(gridPrinter()));

    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addWidget(Label2, 1);

    auto *choices = new QGridLayout;
    choices->addWidget(Label1, 0, 0);
    choices->addWidget(cboMonth, 0, 1);
    choices->addWidget(Label9, 1, 0);
    choices->addWidget(cboPoolArea, 1, 1);
    choices->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdNew, cmdEdit, cmdDelTest})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Command3);

    auto *all = new QVBoxLayout(this);
    all->addLayout(header);
    all->addLayout(choices);
    all->addWidget(grd, 1);
    all->addLayout(buttons);
    resize(640, 420);

    connect(cboPoolArea, &QComboBox::currentIndexChanged, this, [this] { LoadList(); });
    connect(cboMonth, &QComboBox::currentIndexChanged, this, [this] { LoadList(); });
    connect(grd, &ui::FlexGrid::dblClick, this, &frmWaterTesting::cmdEdit_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmWaterTesting::cmdNew_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmWaterTesting::cmdEdit_Click);
    connect(cmdDelTest, &QPushButton::clicked, this, &frmWaterTesting::cmdDelTest_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWaterTesting::Command3_Click);
}

void frmWaterTesting::SetGridPrinter(watertests::GridPrinter printer)
{
    gridPrinter() = std::move(printer);
}

void frmWaterTesting::onLoad()
{
    step([this] { core::ShowClassSearchLogo(Image1); });
    step([this] { core::PlaceOnMainWindow(this); });
    step([this] { SetupGrid(); });
    step([this] {
        irecObjectCode::FillListFromSql(cboPoolArea, QStringLiteral("SELECT AreaName FROM "
                                                                    "PoolAreas;"),
                                        0);
    });
    step([this] { LoadMonthList(); });
    step([this] { core::setListIndex(cboPoolArea, 0); });
    step([this] { core::setListIndex(cboMonth, 0); });
}

void frmWaterTesting::SetupGrid()
{
    // Date and Time are wider than the other columns so that "30/06/2010" and
    // "10:05 AM" show whole in the toolkit's font.
    static const struct
    {
        const char *heading;
        int width;
    } columns[] = {{"ID", 0},   {"Date", 1250}, {"Time", 1050}, {"Temp", 800},
                   {"pH", 700}, {"Free", 800}, {"Total", 800}, {"Diff", 800},
                   {"Alk", 800}, {"Hard", 800}, {"Notes", 1550}};
    grd->setFixedCols(0);
    grd->setFixedRows(1);
    grd->setRows(1);
    grd->setCols(11);
    for (int c = 0; c < 11; ++c) {
        grd->setColWidth(c, columns[c].width);
        grd->setTextMatrix(0, c, QString::fromLatin1(columns[c].heading));
        if (c < 10)
            grd->setColAlignment(c, ui::flexAlignCenterCenter);
    }
}

void frmWaterTesting::LoadMonthList()
{
    const auto months = Global::WaterTests().GetListOfMonths();
    for (const watertests::MonthItem &item :
         watertests::MonthListItems(*months, watertests::Now()))
        core::listAddItem(cboMonth, item.text, item.itemData);
}

qint32 frmWaterTesting::chosenAreaId() const
{
    return Global::GetPoolAreaId(core::listText(cboPoolArea));
}

void frmWaterTesting::LoadList()
{
    const int chosen = core::listIndex(cboMonth);
    if (chosen < 0)
        return;
    int month = 0;
    int year = 0;
    if (!watertests::ReadMonthItem(core::listItemData(cboMonth, chosen), month, year))
        return;
    const auto tests = Global::WaterTests().LoadAllTestsInPoolAreaAndDateRange(
        chosenAreaId(), qint16(month), qint16(year));
    grd->setRows(1);
    for (int i = 0; i < tests->Count(); ++i) {
        const QStringList cells =
            watertests::ListRowCells(*WaterTestFactory::TestAt(*tests, i));
        const int row = grd->rows();
        grd->setRows(row + 1);
        grd->setGridRow(row);
        for (int c = 0; c < cells.size(); ++c)
            grd->setTextMatrix(row, c, cells.at(c));
    }
    if (grd->rows() > 1) {
        grd->setGridCol(0);
        grd->setColSel(10);
    }
}

void frmWaterTesting::openEditWindow(qint32 testId)
{
    auto *detail = qobject_cast<frmWaterTestDetail *>(
        ui::CreateWindowByName(QStringLiteral("frmWaterTestDetail")));
    if (!detail)
        return;
    const auto area = qint16(chosenAreaId());
    if (testId == 0)
        detail->LoadBlankTest(area);
    else
        detail->LoadWaterTest(testId, area);
    detail->showForm();
}

void frmWaterTesting::cmdNew_Click()
{
    openEditWindow(0);
}

void frmWaterTesting::cmdEdit_Click()
{
    if (grd->gridRow() > 0)
        openEditWindow(grd->textMatrix(grd->gridRow(), 0).toInt());
}

void frmWaterTesting::cmdDelTest_Click()
{
    if (grd->gridRow() <= 0)
        return;
    // The confirmation and the authorisation carry no record: the test is the one
    // selected now, whatever the list shows when the deletion is confirmed.
    m_testToDelete = grd->textMatrix(grd->gridRow(), 0).toInt();
    if (Global::CheckCurrentUserPermission(DeleteWaterTestsFlag) == 1) {
        frmConfirmDelete::Request(QStringLiteral("Delete Water Test"), QString(),
                                  Global::CurrentUserId);
        return;
    }
    if (ui::Form *password = ui::LoadWindowByName(QStringLiteral("frmPassword"))) {
        password->showForm();
        ui::callByName(password, QStringLiteral("LoadUp"),
                       {QVariant::fromValue(static_cast<ui::Form *>(this)),
                        QStringLiteral("Delete Water Test"), QString()});
    }
}

void frmWaterTesting::DeleteTest()
{
    const qint32 testId = m_testToDelete;
    m_testToDelete = 0;
    if (testId == 0)
        return;
    watertests::DeleteWaterTest(testId);
    LoadList();
}

void frmWaterTesting::Command3_Click()
{
    if (gridPrinter())
        gridPrinter()(grd, QStringLiteral("Water Testing"),
                      (core::listText(cboPoolArea) + QStringLiteral(", ") +
                       core::listText(cboMonth))
                          .toHtmlEscaped());
}
