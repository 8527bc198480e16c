// What every store component does around a member: clear the answers, run the body, and turn
// what went wrong into the answer conventions: a failing file or engine is 1 with the error
// members (the location "KELO_N_<component>, <class>, <member>"), a refused value is 2 with
// DescricaoDaFalha. Nothing escapes a member as an exception.
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "platform/Errors.h"
#include "store/Database.h"
#include "store/Layout.h"
#include "store/Values.h"

#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// A refusal shown with the critical icon (status 3).
class SeriousRefusal : public Refusal {
public:
    using Refusal::Refusal;
};

// Reads every row of `statement` into a recordset; column k becomes field k, read as kinds[k].
// Nulls stay null. Names, kinds and the statement's columns must agree in number.
platform::RecordsetRef Collect(Statement& statement, const std::vector<std::string>& names,
                               const std::vector<FieldKind>& kinds);

// The rows of a selection of `fields` from `table` (see SelectList): names and kinds both come
// from the field list.
platform::RecordsetRef Collect(Statement& statement, const Table& table,
                               std::span<const std::string_view> fields);

// The location text of a member, from a class name "KELO_N_X.clsY".
std::string Location(std::string_view className, std::string_view member);

template <class Contract>
class Component : public Contract {
public:
    explicit Component(std::shared_ptr<Database> database) : m_database(std::move(database)) {}

protected:
    Database& Db() { return *m_database; }

    template <class Body>
    int32_t Answer(std::string_view member, Body&& body)
    {
        const int32_t result = AnswerOf(member, std::forward<Body>(body));
        m_database->CallAnswered(Contract::ClassName, member, result);
        return result;
    }

private:
    template <class Body>
    int32_t AnswerOf(std::string_view member, Body&& body)
    {
        this->NumeroDoErro = 0;
        this->DescricaoDoErro.clear();
        this->LocalDoErro.clear();
        this->DescricaoDaFalha.clear();
        this->ResultadoDaSelecaoEmRecordSet.reset();
        try {
            body();
            return contracts::resSucesso;
        } catch (const SeriousRefusal& refusal) {
            this->DescricaoDaFalha = refusal.what();
            return contracts::resFalhaCritica;
        } catch (const Refusal& refusal) {
            this->DescricaoDaFalha = refusal.what();
            return contracts::resFalhaInformativa;
        } catch (const StoreError& error) {
            return Fail(member, error.Number(), error.what());
        } catch (const platform::RuntimeError& error) {
            return Fail(member, error.Number(), error.what());
        } catch (const std::bad_alloc&) {
            return Fail(member, platform::errOutOfMemory,
                        platform::StandardDescription(platform::errOutOfMemory));
        } catch (const std::exception& error) {
            return Fail(member, platform::errInternal,
                        "Armazenamento '" + m_database->Path() + "': " + error.what());
        }
    }

    int32_t Fail(std::string_view member, int32_t number, const std::string& description)
    {
        this->NumeroDoErro = number;
        this->DescricaoDoErro = description;
        this->LocalDoErro = Location(Contract::ClassName, member);
        return contracts::resErro;
    }

    std::shared_ptr<Database> m_database;
};

} // namespace store
