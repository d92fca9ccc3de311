#pragma once

// What the health and the performance warning share: the same twelve widgets under the same names,
// styled and re-translated in the same order, with texts from each dialog's own translation context.

#include "WarningDialogLook.h"

#include <QLabel>
#include <QPushButton>
#include <QString>

struct DriveWarningTexts {
    QString title;
    QString warning;
    QString message;
    QString dontShow;
    QString recoveryHint;
    QString cloneDisk;
    QString recoverData;
};

template <class Form>
void StyleDriveWarning(Form& form, const DriveWarningTexts& texts) {
    const QString imageFolder = CurrentImageFolder();
    StyleTitleStrip(*form.CenterTitleLabel, texts.title);
    form.MediaNameLabel->setStyleSheet(BlackLabelSheet);
    form.MediaNameLabel->setFont(BodyFont());
    form.WarningLbl->setFont(HeadingFont());
    form.WarningLbl->setText(texts.warning);
    form.WarningLbl->setStyleSheet(BlackLabelSheet);
    form.WarningTxtLbl->setText(texts.message);
    form.WarningTxtLbl->setStyleSheet(BlackLabelSheet);
    form.WarningTxtLbl->setFont(BodyFont());
    form.DontShowLabel->setText(texts.dontShow);
    form.DontShowLabel->setStyleSheet(BlackLabelSheet);
    form.DontShowLabel->setFont(BodyFont());
    form.OkButton->setFont(BodyFont());
    form.OkButton->setStyleSheet(SecondaryButtonSheet(imageFolder));
    form.CloneButton->setText(texts.cloneDisk);
    form.CloneButton->setFont(BodyFont());
    form.CloneButton->setStyleSheet(SecondaryButtonSheet(imageFolder));
    form.RecoverData->setStyleSheet(PrimaryButtonSheet(imageFolder) + WhiteButtonTextSheet);
    form.RecoverDataTxtLbl->setFont(BodyFont());
    form.RecoverDataTxtLbl->setText(texts.recoveryHint);
    form.RecoverDataTxtLbl->setStyleSheet(BlackLabelSheet);
    form.RecoverData->setText(texts.recoverData);
    form.RecoverData->setFont(BodyFont());
    ShowWarningImage(*form.ImageLbl, imageFolder);
}

// Runs the form's own text pass and puts back what it overwrites with placeholders.
template <class Form, class Dialog>
void RetranslateDriveWarning(Form& form, Dialog& dialog, const DriveWarningTexts& texts) {
    const QString mediaName = form.MediaNameLabel->text();
    form.retranslateUi(&dialog);
    form.MediaNameLabel->setText(mediaName);
    form.DontShowLabel->setText(texts.dontShow);
    form.CenterTitleLabel->setText(texts.title);
    form.WarningLbl->setText(texts.warning);
    form.WarningTxtLbl->setText(texts.message);
    form.RecoverDataTxtLbl->setText(texts.recoveryHint);
    form.CloneButton->setText(texts.cloneDisk);
    form.RecoverData->setText(texts.recoverData);
}
