#include "controls/ChannelVisit.h"

#include <utility>

#include "controls/ReceiverActions.h"
#include "core/Band.h"

namespace orvex {

ActionResult ChannelVisit::visit(std::int32_t kHz, Load load, std::chrono::milliseconds dwell,
                                 Reading reading) {
    cancel();
    if (load == Load::Shown) {
        const std::int16_t step = actions_.receiver().stepKHz();
        if (step <= 0 || kHz % step != 0) {
            return ActionResult::refused(Refusal::NoSuchStep);
        }
    }
    const ActionResult loaded =
        load == Load::Shown ? actions_.tuneTo(mhzFromKHz(kHz)) : actions_.loadDividerFor(kHz);
    if (loaded.succeeded()) {
        clock_.after(dwell, [this, kHz, reading = std::move(reading)] {
            reading(kHz, actions_.readSignalByte());
        });
    }
    return loaded;
}

}  // namespace orvex
