#include "register.h"

#include "imodmoney.h"
#include "platform/ui/windowregistry.h"

namespace imodMoney {

void RegisterMoneyProcedures()
{
    ui::RegisterProcedure(QStringLiteral("imodMoney::ShowReceiptSummary"),
                          [](const QVariantList &args) {
                              ShowReceiptSummary(args.value(0).toInt());
                              return QVariant();
                          });
}

} // namespace imodMoney
