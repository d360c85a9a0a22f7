#include "gametext/Recognisers.h"

#include "gametext/Foes.h"
#include "gametext/Lexer.h"
#include "gametext/Players.h"

namespace orv {

namespace {
constexpr std::string_view Spaces = " ";
}

void LineRecognisers::ClassifyLine(Lexer& lexer, std::string_view line) {
    if (lexer.Tokenize(line, Spaces) == 0) return;
    switch (Lexer::WordClass(lexer.Token(0))) {
    case wordclass::QuickWhoEcho:
        QuickWhoEcho(line);
        break;
    case wordclass::Ok:
        NoticeReply(lexer, line);
        break;
    case wordclass::Spynet:
        SpyNetReport(lexer, line);
        break;
    default:
        host_.ShowLine(line);
        break;
    }
}

void LineRecognisers::QuickWhoEcho(std::string_view line) {
    // Only the echo of the client's own "qw" starts the who-list; one the player typed is just text.
    if (!host_.SettingUp()) {
        host_.ShowLine(line);
        return;
    }
    host_.SetTotalCaption(QuickWhoCaption);
    host_.UpdateCaption();
    host_.WhoListStarted();
}

void LineRecognisers::NoticeReply(const Lexer& lexer, std::string_view line) {
    if (!host_.SettingUp()) {
        host_.ShowLine(line);
        return;
    }
    // "OK - SpyNet Notice is now ON." During the set-up the reply is never shown; a reply of
    // another shape is swallowed and the set-up keeps waiting.
    if (lexer.TokenCount() < 7 || Lexer::WordClass(lexer.Token(3)) != wordclass::Notice) return;
    if (Lexer::WordClass(lexer.Token(6)) == wordclass::Off) {
        host_.SendText(SpyNetToggleCommand); // they were on already, so the toggle turned them off
    } else if (host_.PlayerListTicked()) {
        host_.SendText(QuickWhoCommand);
    } else {
        host_.FinishSetup();
    }
}

void LineRecognisers::SpyNetReport(const Lexer& lexer, std::string_view line) {
    // "SPYNET REPORT: Captain Zed has entered Orvanta DataSpace."
    const int has = lexer.FindToken("has");
    if (has <= 0 || Lexer::WordClass(lexer.Token(lexer.TokenCount() - 1)) != wordclass::DataSpace) {
        host_.ShowLine(line);
        return;
    }
    const std::string_view name = lexer.Token(has - 1);
    if (host_.PlayerListTicked()) {
        if (Lexer::WordClass(lexer.Token(has + 1)) == wordclass::Entered)
            roster_.AddPlayer(name);
        else
            roster_.RemovePlayer(name);
    }
    const bool alert =
        foes_.IsFriendOrFoe(name) || (has > 1 && foes_.RankAlert(Lexer::WordClass(lexer.Token(has - 2))));
    if (alert && foes_.AudibleAlert()) host_.PlayAlert();
    if (alert || host_.SpyNetNoticesTicked()) host_.ShowLine(line);
}

void LineRecognisers::ReadWhoLine(Lexer& lexer, std::string_view line) {
    // Nothing read here is shown.
    const int words = lexer.Tokenize(line, Spaces);
    if (words == 0) return;
    const char first = lexer.Token(0).front();
    if (first >= '0' && first <= '9') { // "37 players in Orvanta" ends the list
        host_.UpdateCaption();
        host_.FinishSetup();
        host_.SetTotalCaption(AllPlayersCaption);
        if (!roster_.CheckListMode()) roster_.RebuildList();
        return;
    }
    for (int i = 0; i < words; ++i)
        roster_.AddPlayer(lexer.Token(i));
}

} // namespace orv
