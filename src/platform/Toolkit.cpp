#include "platform/Toolkit.h"

#include <exception>

namespace sorabell::platform {

void Dispatch(Toolkit& toolkit, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        toolkit.ShowMessage(e.what());
    }
}

}  // namespace sorabell::platform
