#pragma once

#include "report/core/expr/ExpressionEvaluator.h"
#include "report/core/model/UserFunctions.h"

#include <QStringList>

#include <stdexcept>
#include <vector>

// A report as the evaluator sees it: fields of the current record,
// parameters, system variables and user functions. Registered as the resolver
// while it lives.
class FakeReport : public CalcResolver
{
public:
    FakeReport() { setCalcResolver(this); }
    ~FakeReport() override { setCalcResolver(nullptr); }
    FakeReport(const FakeReport &) = delete;
    FakeReport &operator=(const FakeReport &) = delete;

    // A string field (kind 2).
    static TCalcType text(const QString &value) { return TCalcType::fromText(value); }
    // A numeric field (kind 1).
    static TCalcType number(double value) { return TCalcType::fromNumber(value); }
    // A date field (kind 0), its text as the field displays it.
    static TCalcType date(double dayNumber, const QString &display)
    {
        TCalcType value;
        value.number = dayNumber;
        value.text = display;
        return value;
    }
    // An empty field reads as 0 with an empty text and the null flag.
    static TCalcType null(quint8 kind = TCalcType::Number)
    {
        TCalcType value;
        value.kind = kind;
        value.null = true;
        return value;
    }

    void addField(const QString &name, const TCalcType &value)
    {
        m_fieldNames.append(name);
        m_fields.push_back(value);
    }
    void setField(int index, const TCalcType &value) { m_fields.at(size_t(index)) = value; }

    QStringList parameters;
    std::vector<TCalcType> systemVariables;
    TListFunkci functions;
    int resolveCount = 0;

    TCalcType resolve(int code) override
    {
        ++resolveCount;
        if (code >= CalcRef::SystemVariable)
            return at(systemVariables, code - CalcRef::SystemVariable);
        if (code >= CalcRef::UserFunction) {
            if (code - CalcRef::UserFunction >= functions.count())
                throw std::out_of_range("no such function");
            return functions.at(code - CalcRef::UserFunction).result;
        }
        if (code >= CalcRef::Field)
            return at(m_fields, code - CalcRef::Field);
        if (code >= CalcRef::Parameter) {
            // Parameter n: the line as text, its number read as STRTONUM reads it.
            const int index = code - CalcRef::Parameter;
            return TCalcType::fromText(index < parameters.size() ? parameters.at(index) : QString());
        }
        throw std::out_of_range("no such reference");
    }

    int findName(int kind, const QString &name) override
    {
        if (kind == CalcRef::FindField)
            return int(m_fieldNames.indexOf(name));
        if (kind == CalcRef::FindFunction)
            return functions.findByName(name);
        return -1;
    }

private:
    static TCalcType at(const std::vector<TCalcType> &values, int index)
    {
        if (index < 0 || size_t(index) >= values.size())
            throw std::out_of_range("no such item"); // the evaluator makes it a null value
        return values[size_t(index)];
    }

    QStringList m_fieldNames;
    std::vector<TCalcType> m_fields;
};
