#pragma once

#include "platform/ui/form.h"

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// One water test for entry or editing: a new window for each New or Edit of the
// list. Save checks and writes the test, closes and reloads the open list; the
// close box asks whether to save first.
class frmWaterTestDetail : public ui::Form
{
    Q_OBJECT
public:
    frmWaterTestDetail();

    Q_INVOKABLE void LoadWaterTest(qint32 intTestID, qint16 intArea);
    Q_INVOKABLE void LoadBlankTest(qint16 intArea);
    // Gives whether the test was saved (and the window closed).
    Q_INVOKABLE bool cmdSave_Click();
    // Entering box 6 offers total minus free chlorine while it is empty.
    Q_INVOKABLE void txtField_GotFocus(int index);

    // The text of a box (1 to 16) and its label.
    QString fieldText(int index) const;
    void setFieldText(int index, const QString &text);
    QWidget *txtField(int index) const { return m_boxes.at(index); }
    QLabel *lblField(int index) const { return m_labels.at(index); }

    QLabel *Image1;
    QPushButton *cmdSave;

    qint32 lngTestID = 0;
    qint16 intPoolArea = 0;

protected:
    void onLoad() override;
    void onQueryUnload(ui::CloseReason reason, bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Checks and writes the test; the window stays.
    bool saveTest();
    void reloadList();

    std::array<QWidget *, 17> m_boxes{};
    std::array<QLabel *, 17> m_labels{};
    QPlainTextEdit *m_notes = nullptr;
};
