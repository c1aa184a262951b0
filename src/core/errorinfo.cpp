#include "errorinfo.h"

#include "platform/jet/sql/error.h"
#include "platform/vb/error.h"

#include <exception>

namespace core {

ErrorInfo currentError()
{
    try {
        throw;
    } catch (const jet::Error &e) {
        return {e.number(), e.description()};
    } catch (const vb::Error &e) {
        return {e.number(), e.description()};
    } catch (const std::exception &e) {
        return {0, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        return {0, QStringLiteral("Unknown error")};
    }
}

} // namespace core
