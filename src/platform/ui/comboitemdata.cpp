#include "comboitemdata.h"

#include "platform/vb/error.h"

#include <QComboBox>

namespace ui {

namespace {
constexpr int InvalidPropertyArrayIndex = 381;

void checkIndex(const QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count())
        throw vb::Error(InvalidPropertyArrayIndex, QStringLiteral("Invalid property array index"));
}
} // namespace

void addComboItem(QComboBox *combo, const QString &text, long data)
{
    combo->addItem(text, QVariant::fromValue(qlonglong(data)));
}

long comboItemData(const QComboBox *combo, int index)
{
    checkIndex(combo, index);
    return long(combo->itemData(index).toLongLong());
}

void setComboItemData(QComboBox *combo, int index, long data)
{
    checkIndex(combo, index);
    combo->setItemData(index, QVariant::fromValue(qlonglong(data)));
}

int findComboItemData(const QComboBox *combo, long data)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toLongLong() == data)
            return i;
    }
    return -1;
}

} // namespace ui
