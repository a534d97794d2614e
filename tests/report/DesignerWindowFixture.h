#pragma once

#include "DataFixture.h"

#include "report/core/designer/DesignerDocument.h"
#include "report/ui/designer/DesignerPaper.h"
#include "report/ui/designer/DesignerWindow.h"

#include <QSize>

#include <memory>

// The designer window over the data fixture's report: a paper 826 × 400
// units with a page header 40, a body 100, a report footer 30 and a page
// footer 40 high, a report not yet stored.
// The window opens on first use with the environment in m_env, so a test
// sets the template and the environment up first.
class DesignerWindowFixture : public DataFixture
{
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        pageSetup().paperWidth = 826;
        pageSetup().paperHeight = 400;
        setHeight(TOddilSestavy::PageHeader, 40);
        setHeight(TOddilSestavy::Body, 100);
        setHeight(TOddilSestavy::ReportFooter, 30);
        setHeight(TOddilSestavy::PageFooter, 40);
        m_report.setIsStored(false);
        m_report.setReportName(QStringLiteral("navrh"));
    }
    void TearDown() override
    {
        m_form.reset();
        DataFixture::TearDown();
    }

    TFormSestE &form(QSize size = QSize(1000, 700))
    {
        if (!m_form) {
            m_report.setPredloha(m_report.writeTemplate());
            m_form = std::make_unique<TFormSestE>(m_report, m_env);
            m_form->resize(size);
            m_form->show();
        }
        return *m_form;
    }
    DesignerDocument &editor() { return form().editor(); }
    DesignerPaper &canvas() { return form().canvas(); }

    DesignerSettings m_env;
    std::unique_ptr<TFormSestE> m_form;
};
