#pragma once

#include "core/store/Customers.h"
#include "core/tracking/TrackingFixture.h"

namespace ql::testing {

// One project, "Design" at 45.00 an hour for the customer Acme (id 7), and one frame of
// 1:30 on 3 December 1996: the smallest set an invoice of December 1996 bills.
class DesignInvoiceFixture : public TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), {{0, "Design", 7, 45.0, "", -1}}));
        CustomerRecord acme = acmeCustomer();
        ASSERT_TRUE(appendCustomer(m_fs, acme, m_set));
        writeFrames({{0, at(1996, 12, 3, 9, 0), at(1996, 12, 3, 10, 30)}});
    }
};

}  // namespace ql::testing
