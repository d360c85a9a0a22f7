#include "TelnetInput.h"

namespace orvdemo {

namespace {
constexpr unsigned char IAC = 255, SB = 250, SE = 240, WILL = 251, DONT = 254;
constexpr unsigned char TERMINAL_TYPE = 24, IS = 0;
// Nobody's terminal type or window size needs more; a longer sub-negotiation is read through and cut.
constexpr std::size_t kMaxSub = 64;
} // namespace

void TelnetInput::feed(std::string_view bytes, const LineHandler& onLine) {
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (state_) {
        case State::Data:
            if (c == IAC) {
                state_ = State::Iac;
            } else if (c == '\n') {
                if (!line_.empty() && line_.back() == '\r') line_.pop_back();
                const bool more = onLine(line_);
                line_.clear();
                if (!more) return;
            } else if (c != 0) {
                addData(ch);
            }
            break;
        case State::Iac:
            if (c == IAC) {
                addData(ch); // escaped data byte 255
                state_ = State::Data;
            } else if (c >= WILL && c <= DONT) {
                state_ = State::Option;
            } else if (c == SB) {
                sub_.clear();
                state_ = State::Sub;
            } else {
                state_ = State::Data; // a one-byte command (NOP, GA, ...): nothing to do
            }
            break;
        case State::Option:
            state_ = State::Data; // the client's WILL/WONT/DO/DONT answers need no reply of ours
            break;
        case State::Sub:
            if (c == IAC)
                state_ = State::SubIac;
            else if (sub_.size() < kMaxSub)
                sub_ += ch;
            break;
        case State::SubIac:
            if (c == SE) {
                endSubnegotiation();
                state_ = State::Data;
            } else {
                if (c == IAC && sub_.size() < kMaxSub) sub_ += ch;
                state_ = State::Sub;
            }
            break;
        }
    }
}

void TelnetInput::addData(char c) {
    if (line_.size() < kMaxLine) line_ += c;
}

void TelnetInput::endSubnegotiation() {
    if (sub_.size() >= 2 && static_cast<unsigned char>(sub_[0]) == TERMINAL_TYPE &&
        static_cast<unsigned char>(sub_[1]) == IS)
        terminalType_ = sub_.substr(2);
}

} // namespace orvdemo
