#include "ui/app/shellpages.h"

#include "ui/app/pageflow.h"
#include "ui/app/startpage.h"
#include "ui/pages/buildingpage.h"
#include "ui/pages/testidpage.h"

void registerShellPages(PageFlow& flow) {
    flow.registerPage(PageId::Start, [&flow](PageHost&) { return new IntroFm1(flow); });
    flow.registerPage(PageId::TestId, [](PageHost& host) { return new TestIdFm2(host); });
    flow.registerPage(PageId::Building, [](PageHost& host) { return new BldgEnvFm3(host); });
}
