#include "controls/ChannelReader.h"

#include <utility>

#include "controls/ReceiverActions.h"

namespace orvex {

ActionResult ChannelReader::visit(std::int32_t kHz, std::chrono::milliseconds dwell,
                                  Reading reading) {
    const ActionResult loaded = actions_.loadDividerFor(kHz);
    if (!loaded.succeeded()) {
        clock_.cancel();
        return loaded;
    }
    clock_.after(dwell, [this, kHz, reading = std::move(reading)] {
        reading(kHz, actions_.readSignalByte());
    });
    return loaded;
}

}  // namespace orvex
