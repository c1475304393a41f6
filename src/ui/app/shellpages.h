#pragma once

class PageFlow;

// Registers the start, test identification and building pages with the page flow.
void registerShellPages(PageFlow& flow);
