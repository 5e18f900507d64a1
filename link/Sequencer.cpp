#include "link/Sequencer.h"

namespace bxl {

Sequencer::Sequencer(ValueStore& store, SerialPort& port, LinkView& view)
    : store_(store), port_(port), view_(view) {}

void Sequencer::tick() {
    view_.showPortOpen(port_.isOpen());
}
void Sequencer::bytesAvailable(uint16_t count) {
    for (uint16_t i = 0; i < count; ++i) port_.getChar();
}
void Sequencer::get() {
    view_.closeEditor();
}
void Sequencer::send() {
    view_.closeEditor();
}
void Sequencer::portNumberChanged(int number) {
    port_.setOpen(false);
    port_.setComNumber(static_cast<uint16_t>(number));
    port_.setOpen(true);
}
void Sequencer::shutdown() {
    port_.setOpen(false);
}

}  // namespace bxl
