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

void CreateForms() {
    new TAboutBox;
    new TFKeyForm(MainForm->KeyLinks());
    new TFriendsForm(MainForm->Foes, MainForm->StartDir, MainForm->FriendsFormLinks());
    new TLogonErrorForm;
    auto* connection = new TTCPIPForm;
    connection->SetStore(&MainForm->Settings());
    connection->OnAvatarName = [](const QString& avatar) {
        MainForm->AvatarName = EncodeCp1252(avatar);
        MainForm->UpdateCaption();
    };
    new TNewAccountForm;
    // Closing the main window ends the program, whatever dialog is open beside it.
    for (QWidget* form : std::initializer_list<QWidget*>{AboutBox, FKeyForm, FriendsForm, LogonErrorForm,
                                                         TCPIPForm, NewAccountForm})
        form->setAttribute(Qt::WA_QuitOnClose, false);
    MainForm->SetDialogs({TCPIPForm, NewAccountForm, LogonErrorForm, FKeyForm, FriendsForm, AboutBox});
}

void DestroyForms() {
    if (MainForm != nullptr) MainForm->SetDialogs({});
    delete NewAccountForm;
    delete TCPIPForm;
    delete LogonErrorForm;
    delete FriendsForm;
    delete FKeyForm;
    delete AboutBox;
}
