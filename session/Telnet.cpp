#include "session/Telnet.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace orv {

namespace {

constexpr unsigned char TerminalTypeSend[] = {Telnet::SB, Telnet::OptTerminalType, 1, Telnet::IAC,
                                              Telnet::SE};

// The one name this client reports when asked for its terminal type.
constexpr std::string_view TerminalTypeName = "KX-ORVTERM32";

std::string_view Bytes(const unsigned char* data, std::size_t n) {
    return {reinterpret_cast<const char*>(data), n};
}

} // namespace

std::string Telnet::OptionName(unsigned char code) {
    switch (code) {
    case 0:
        return "TRANSMIT BINARY";
    case 1:
        return "ECHO";
    case 2:
        return "TRANSMIT RECONNCTION";
    case 3:
        return "SUPPRESS_GA";
    case 4:
        return "MESSAGE SIZE NEGOTIATION";
    case 5:
        return "STATUS";
    case 6:
        return "TIMING MARK";
    case 8:
        return "NAOL";
    case 20:
        return "DET";
    case 23:
        return "SEND_LOC";
    case 24:
        return "TERMTYPE";
    case 25:
        return "EOREC";
    case 31:
        return "NAWS";
    case 32:
        return "TERMSPEED";
    case 33:
        return "TFC";
    case 35:
        return "XDISPLOC";
    case 36:
        return "PORT ENVIRONMENT";
    case 255:
        return "EXOPL";
    default:
        return "UNKNOWN - " + std::to_string(code);
    }
}

std::size_t Telnet::CompleteLength(std::string_view seq) {
    if (seq.empty()) return 0;
    const auto c = static_cast<unsigned char>(seq[0]);
    switch (c) {
    case WILL:
    case WONT:
    case DO:
    case DONT:
        return seq.size() >= 2 ? 2 : 0;
    case SB: {
        // Only the terminal-type request is understood; any other sub-negotiation loses just
        // IAC SB. Wait for more bytes only while what we have could still become that request.
        const std::size_t have = std::min(seq.size(), sizeof TerminalTypeSend);
        if (std::memcmp(seq.data(), TerminalTypeSend, have) != 0) return 1;
        return have == sizeof TerminalTypeSend ? sizeof TerminalTypeSend : 0;
    }
    default:
        return 1;
    }
}

std::size_t Telnet::HandleTelnetCommand(std::string_view seq) {
    const bool trace = host_.DiagnosticsOn();
    const auto c = static_cast<unsigned char>(seq.empty() ? 0 : seq[0]);
    const bool withOption = c == WILL || c == WONT || c == DO || c == DONT;
    const bool isTermTypeSend =
        c == SB && seq.size() >= sizeof TerminalTypeSend && std::memcmp(seq.data(), TerminalTypeSend, 5) == 0;

    if ((withOption && seq.size() < 2) || (!withOption && !isTermTypeSend)) {
        if (trace) host_.ShowLine("Telnet Command from Server: IAC - " + std::to_string(c));
        return 1;
    }
    if (isTermTypeSend) {
        std::string reply = {char(IAC), char(SB), char(OptTerminalType), '\0'};
        reply += TerminalTypeName;
        reply += {char(IAC), char(SE)};
        host_.SendTelnet(reply);
        if (trace) host_.ShowLine("Telnet Command from Server: IAC SB TERMINAL-TYPE SEND IAC SE");
        return 5;
    }

    const auto x = static_cast<unsigned char>(seq[1]);
    const std::string name = OptionName(x);
    switch (c) {
    case WILL: {
        if (trace) host_.ShowLine("Telnet Command from Server: IAC WILL " + name);
        const bool accept = x == OptSuppressGoAhead;
        const unsigned char reply[] = {IAC, accept ? DO : DONT, x};
        host_.SendTelnet(Bytes(reply, sizeof reply));
        if (trace)
            host_.ShowLine(std::string("Telnet Reply to Server: IAC ") + (accept ? "DO " : "DON'T ") + name);
        break;
    }
    case DO:
        if (trace) host_.ShowLine("Telnet Command from Server: IAC DO " + name);
        if (x == OptNaws) {
            // Window size is the one option the client enables; it reports no particular size (zero by zero).
            const unsigned char will[] = {IAC, WILL, OptNaws};
            const unsigned char size[] = {IAC, SB, OptNaws, 0, 0, 0, 0, IAC, SE};
            host_.SendTelnet(Bytes(will, sizeof will));
            host_.SendTelnet(Bytes(size, sizeof size));
            if (trace)
                host_.ShowLine("Telnet Reply to Server: IAC WILL " + name +
                               "\nTelnet Info to Server: IAC SB NAWS 0 0 0 0 IAC SE");
        } else {
            const unsigned char reply[] = {IAC, WONT, x};
            host_.SendTelnet(Bytes(reply, sizeof reply));
            if (trace) host_.ShowLine("Telnet Reply to Server: IAC WON'T " + name);
        }
        break;
    case WONT:
        if (trace) {
            host_.ShowLine("Telnet Command from Server: IAC WONT");
            host_.ShowLine(name);
        }
        break;
    default: // DONT
        if (trace) {
            host_.ShowLine("Telnet Command from Server: IAC DONT");
            host_.ShowLine(name);
        }
        break;
    }
    return 2;
}

void Telnet::StripTelnet(std::string& text) {
    if (!held_.empty()) {
        scratch_.assign(held_);
        scratch_.append(text);
        text.swap(scratch_);
        held_.clear();
    }
    if (text.empty()) return;

    char* const base = text.data();
    const std::size_t size = text.size();
    std::size_t r = 0; // next byte to read
    std::size_t w = 0; // next byte to write
    while (r < size) {
        // Copy the run of data up to the next IAC, dropping NUL padding on the way.
        const void* hit = std::memchr(base + r, IAC, size - r);
        const std::size_t runEnd =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : size;
        while (r < runEnd) {
            const void* nul = std::memchr(base + r, 0, runEnd - r);
            const std::size_t stop =
                nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - base) : runEnd;
            if (w != r) std::memmove(base + w, base + r, stop - r);
            w += stop - r;
            r = stop < runEnd ? stop + 1 : stop;
        }
        if (r >= size) break;

        // base[r] is an IAC.
        const std::string_view seq(base + r + 1, size - r - 1);
        if (CompleteLength(seq) == 0) {
            held_.assign(base + r, size - r); // wait for the rest of this sequence
            break;
        }
        // Replies and traces may not touch text; seq stays valid through the call.
        r += 1 + HandleTelnetCommand(seq);
    }
    text.resize(w);
}

} // namespace orv
