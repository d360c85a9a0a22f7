#include "app/Forms.h"

#include "ui/About.h"
#include "ui/Codepage.h"
#include "ui/F_keys.h"
#include "ui/Foes.h"
#include "ui/Logerr.h"
#include "ui/Main.h"
#include "ui/New_account.h"
#include "ui/Tcp.h"

#include <initializer_list>

using orv::ui::EncodeCp1252;

TMainForm* MainForm = nullptr;
TAboutBox* AboutBox = nullptr;
TFKeyForm* FKeyForm = nullptr;
TFriendsForm* FriendsForm = nullptr;
TLogonErrorForm* LogonErrorForm = nullptr;
TTCPIPForm* TCPIPForm = nullptr;
TNewAccountForm* NewAccountForm = nullptr;

void CreateForms(TMainForm& main) {
    MainForm = &main;
    AboutBox = new TAboutBox;
    FKeyForm = new TFKeyForm(main.KeyLinks());
    FriendsForm = new TFriendsForm(main.Foes, main.StartDir, main.FriendsFormLinks());
    LogonErrorForm = new TLogonErrorForm;
    TCPIPForm = new TTCPIPForm;
    TCPIPForm->SetStore(&main.Settings());
    TCPIPForm->OnAvatarName = [&main](const QString& avatar) {
        main.AvatarName = EncodeCp1252(avatar);
        main.UpdateCaption();
    };
    NewAccountForm = new TNewAccountForm;
    // Closing the main window ends the program, whatever dialog is open beside it.
    for (QWidget* form : std::initializer_list<QWidget*>{AboutBox, FKeyForm, FriendsForm, LogonErrorForm,
                                                         TCPIPForm, NewAccountForm})
        form->setAttribute(Qt::WA_QuitOnClose, false);
    main.SetDialogs({TCPIPForm, NewAccountForm, LogonErrorForm, FKeyForm, FriendsForm, AboutBox});
}

void DestroyForms() {
    if (MainForm != nullptr) MainForm->SetDialogs({});
    const auto destroy = [](auto*& form) {
        delete form;
        form = nullptr;
    };
    destroy(NewAccountForm);
    destroy(TCPIPForm);
    destroy(LogonErrorForm);
    destroy(FriendsForm);
    destroy(FKeyForm);
    destroy(AboutBox);
    MainForm = nullptr;
}
