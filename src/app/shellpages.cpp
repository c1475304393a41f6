#include "app/shellpages.h"

#include "app/introfm1.h"
#include "app/pageflow.h"
#include "pages/bldgenvfm3.h"
#include "pages/testidfm2.h"

void registerShellPages(PageFlow& flow) {
    flow.registerPage(PageId::Start, [&flow](PageHost&) { return new IntroFm1(flow); });
    flow.registerPage(PageId::TestId, [](PageHost& host) { return new TestIdFm2(host); });
    flow.registerPage(PageId::Building, [](PageHost& host) { return new BldgEnvFm3(host); });
}
