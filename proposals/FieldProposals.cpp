#include "proposals/FieldProposals.h"

FieldProposals ProposeFields(const ProposalInput& input) {
    (void)input;
    return {};
}
