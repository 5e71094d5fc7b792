#include "shell/banner.h"

#include "acutads.h"
#include "shell/kestra_module.h"

namespace kestra {

namespace {

constexpr const char* kCommandListLines[] = {
    "\nThe available commands are:\n",
    "\t> Command   Alias  Signification\n",
    "\t> --------- -----  ------------------------------------------------ \n",
    "\t> KSMAKE    KS1    Creates an Kestra.\n",
    "\t> KSREFRESH KS2    Restores original floating viewport views in paper space.\n",
    "\t> KSSCALE   KS3    Specifies the scale of the Kestra object.\n",
    "\t> KSPLAN    KS4    Aligns the view on the plane of the Kestra object.\n",
    "\t> KSUCS     KS5    Defines the UCS on the plane of the Kestra object.\n",
    "\t> KSVIEWUCS KS6    Defines the plan view and the UCS on the Kestra object.\n",
    "\t> KSMENU    KS7    Loads the Kestra menu.\n",
    "\t> KSLIST    KS8    Displays the command list of the Kestra object.\n",
    "\t> KSVERSION KS9    Displays the version number of the Kestra2000.arx.\n",
    "\t> KSGOTO    KS10   Go to parent Layout of the selected Kestra object.\n",
    "\t> KSOPTIONS KS11   Manage parameters of Kestra.\n",
    "\t> KSHELP    KS?    Provides information on the Kestra object.\n",
    "\t> KSABOUT          About Kestra.\n",
    "\t> KSLOGO           Launch the application without first displaying the logo screen.\n",
};

}  // namespace

void printBanner()
{
    acutPrintf("%s  %s\n", "Kestra loaded.", kLoadNotice);
    acutPrintf("%s  %s.\n", "Version number:", kVersionText);
    acutPrintf("%s\n", "Type KSLIST for command list.");
}

void printCommandList()
{
    for (const char* line : kCommandListLines) acutPrintf("%s", line);
    acutPrintf("\n");
}

void printVersion() { acutPrintf("%s  %s.\n", "Version number:", kVersionText); }

}  // namespace kestra
