// The player list at scale, in the real window: a quick-who list of 5,000 names read line by line
// and drawn, then 10,000 SpyNet arrivals and departures against a built list of 1,000 players.
// Each step goes through the line recognisers exactly as the text processor hands lines on.
//
//   roster_bench            (run under Xvfb, or with QT_QPA_PLATFORM=offscreen)
#include "gametext/Lexer.h"
#include "gametext/Recognisers.h"
#include "ui/Main.h"

#include <QApplication>
#include <QListWidget>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string Name(int i) {
    static const char* const stems[] = {"Ara", "Bel", "Cor", "Dun", "Ela", "Fen", "Gal", "Hal", "Iro", "Jas"};
    return std::string(stems[i % 10]) + std::to_string(i);
}

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A who-list of count names, eight to a line, then its count line; each line ends in one space as
// the text processor hands it on.
std::vector<std::string> WhoList(int count) {
    std::vector<std::string> lines;
    std::string line;
    for (int i = 0; i < count; ++i) {
        line += Name(i) + " ";
        if (i % 8 == 7) lines.push_back(std::exchange(line, {}));
    }
    if (!line.empty()) lines.push_back(line);
    lines.push_back(std::to_string(count) + " players in Orvanta ");
    return lines;
}

double ReadWhoList(TMainForm& form, orv::LineRecognisers& lines, orv::Lexer& lexer, int count) {
    form.Roster().ClearRoster();
    form.ClearPlayerList();
    const auto list = WhoList(count);
    const auto start = Clock::now();
    form.SetLinkState(orv::LinkState::WhoList);
    for (const auto& line : list)
        lines.ReadWhoLine(lexer, line);
    form.PlayerList->repaint(); // drawn, not only filled
    QApplication::processEvents();
    return Since(start);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string config = "/tmp/orv-roster-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    QApplication app(argc, argv);
    auto* form = new TMainForm;
    form->resize(1024, 700);
    form->show();
    QApplication::processEvents();
    orv::Lexer lexer;
    orv::LineRecognisers lines(*form, form->Roster(), form->Foes);

    // Above 1,024 players the list shows only friends and foes, so the 5,000 are read but few
    // drawn; 1,000 names are all drawn.
    const double who = ReadWhoList(*form, lines, lexer, 5000);
    std::printf("quick-who list of 5,000 names read and drawn: %.1f ms (%d rows shown)\n", who * 1e3,
                form->PlayerList->count());
    const double all = ReadWhoList(*form, lines, lexer, 1000);
    std::printf("quick-who list of 1,000 names read and drawn: %.1f ms (%d rows shown)\n", all * 1e3,
                form->PlayerList->count());

    form->SetLinkState(orv::LinkState::Normal);
    std::vector<std::string> reports;
    for (int i = 0; i < 5000; ++i) {
        const std::string name = "Zz" + std::to_string(i % 500);
        reports.push_back("SPYNET REPORT: Captain " + name + " has entered Orvanta DataSpace. ");
        reports.push_back("SPYNET REPORT: Captain " + name + " has left Orvanta DataSpace. ");
    }
    const auto start = Clock::now();
    for (const auto& report : reports)
        lines.ClassifyLine(lexer, report);
    const double each = Since(start) / static_cast<double>(reports.size());
    std::printf("arrival or departure at 1,000 players on line: %.2f us each (%zu reports, %d rows after)\n",
                each * 1e6, reports.size(), form->PlayerList->count());

    delete form;
    std::filesystem::remove_all(config);
    return 0;
}
