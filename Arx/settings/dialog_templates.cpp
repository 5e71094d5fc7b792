#include "settings/dialog_templates.h"

#include "shell/resource.h"

namespace kestra {

namespace {

// The advice has "More Information" as its default button and a cancel button; the warnings
// an OK button (default) and a help button.
AfxDialogResource warningTemplate(UINT id, bool advice)
{
    const AfxControlResource closing =
        advice ? AfxControlResource{AfxControlType::PushButton, IDCANCEL, "&Annuler", 261, 72, 52, 14}
               : AfxControlResource{AfxControlType::DefPushButton, IDOK, "Valider", 200, 72, 52, 14};
    const AfxControlResource help =
        advice ? AfxControlResource{AfxControlType::DefPushButton,
                                    IDC_WARNING_HELP,
                                    "Plus d'&informations",
                                    180,
                                    72,
                                    74,
                                    14}
               : AfxControlResource{AfxControlType::PushButton, IDC_WARNING_HELP, "&Aide", 261, 72, 52, 14};
    return {id,
            "Information Kestra",
            320,
            124,
            {
                {AfxControlType::GroupBox, IDC_WARNING_GROUP, "ATTENTION", 7, 5, 306, 62},
                {AfxControlType::LText, IDC_WARNING_LINE1, "Ligne 1", 14, 16, 292, 10},
                {AfxControlType::LText, IDC_WARNING_LINE2, "Ligne 2", 14, 28, 292, 10},
                {AfxControlType::LText, IDC_WARNING_LINE3, "", 14, 40, 292, 10},
                {AfxControlType::LText, IDC_WARNING_LINE4, "", 14, 52, 292, 10},
                {AfxControlType::AutoCheckBox, IDC_WARNING_NOSHOW, "Ne plus afficher ce message.", 7, 74, 180, 10},
                advice ? help : closing,
                advice ? closing : help,
                {AfxControlType::LText, IDC_WARNING_MARKER, "", 7, 90, 306, kWarningMarkerBottom - 90},
                {AfxControlType::LText, IDC_WARNING_HINT, "Pour revoir ce message, tapez KSOPTIONS", 7, 108, 306, 10},
            }};
}

}  // namespace

std::vector<AfxDialogResource> settingsDialogTemplates()
{
    std::vector<AfxDialogResource> templates = {
        warningTemplate(IDD_PLOT_WARNING, false),
        warningTemplate(IDD_ADVICE, true),
        warningTemplate(IDD_LAYER_WARNING, false),
        warningTemplate(IDD_RESHAPE_WARNING, false),
        {IDD_OPTIONS,
         "Parametres Kestra",
         300,
         220,
         {
             {AfxControlType::DefPushButton, IDOK, "OK", 130, 200, 50, 14},
             {AfxControlType::PushButton, IDCANCEL, "Annuler", 186, 200, 50, 14},
         }},
        {IDD_OPTIONS_MESSAGES,
         "Messages",
         286,
         186,
         {
             {AfxControlType::GroupBox, IDC_OPTIONS_DIALOGS_GROUP, "Boites de dialogue", 7, 7, 272, 76},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_WARMNOCREATE, "Avertissement 1", 14, 19, 258, 10},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_FREEZELAYER, "Avertissement 2", 14, 31, 258, 10},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_RESHAPE, "Avertissement 3", 14, 43, 258, 10},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_BADPLOT, "Avertissement 4", 14, 55, 258, 10},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_SHOWNEW, "Avertissement 5", 14, 67, 258, 10},
             {AfxControlType::GroupBox, IDC_OPTIONS_OTHER_GROUP, "Autres messages", 7, 88, 272, 40},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_SPLASH, "Message 1", 14, 100, 258, 10},
             {AfxControlType::AutoCheckBox, IDC_OPTIONS_AUDIT, "Message 2", 14, 112, 258, 10},
             {AfxControlType::LText, IDC_OPTIONS_DESCRIPTION, "Description", 7, 134, 272, 46},
         }},
    };
    return templates;
}

}  // namespace kestra
