// The special forms: functions that receive their arguments unevaluated.
#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/interpreter.h"

namespace arx::lisp {

namespace {

const Value& symbolArgumentValue(const Value& value)
{
    symbolArgument(value);
    return value;
}

const Symbol* symbolPointer(const Value& symbol) { return static_cast<const Symbol*>(symbol.get()); }

// The forms from index `from` on, evaluated in order; the last value.
Value evalFrom(Interpreter& in, const Arguments& forms, std::size_t from)
{
    Value result;
    for (std::size_t i = from; i < forms.size(); ++i) result = in.eval(forms[i]);
    return result;
}

Value bodyList(const Arguments& forms, std::size_t from)
{
    ListBuilder body;
    for (std::size_t i = from; i < forms.size(); ++i) body.append(forms[i]);
    return body.result();
}

Value quote(Interpreter&, const Arguments& forms)
{
    requireArgumentCount(forms, 1);
    return forms[0];
}

Value setq(Interpreter& in, const Arguments& forms)
{
    Value result;
    for (std::size_t i = 0; i < forms.size(); i += 2) {
        const Value& symbol = symbolArgumentValue(forms[i]);
        if (i + 1 >= forms.size()) throw errors::tooFewArguments();
        result = in.eval(forms[i + 1]);
        in.setValue(symbol, result);
    }
    return result;
}

Value defun(Interpreter& in, const Arguments& forms)
{
    requireAtLeast(forms, 2);
    const Value& name = symbolArgumentValue(forms[0]);
    in.setValue(name, in.makeFunction(symbolOf(name).name(), forms[1], bodyList(forms, 2)));
    return name;
}

Value lambda(Interpreter& in, const Arguments& forms)
{
    requireAtLeast(forms, 1);
    return in.makeFunction("", forms[0], bodyList(forms, 1));
}

Value function(Interpreter& in, const Arguments& forms)
{
    requireArgumentCount(forms, 1);
    if (isCons(forms[0])) return in.toFunction(forms[0]);
    return forms[0];
}

Value ifForm(Interpreter& in, const Arguments& forms)
{
    requireArgumentCount(forms, 2, 3);
    if (in.eval(forms[0])) return in.eval(forms[1]);
    return forms.size() == 3 ? in.eval(forms[2]) : Value();
}

Value cond(Interpreter& in, const Arguments& forms)
{
    for (const Value& clause : forms) {
        if (!clause) continue;
        if (!isCons(clause)) throw errors::badArgumentType("consp", clause);
        Value test = in.eval(consOf(clause).car());
        if (!test) continue;
        const Value& body = consOf(clause).cdr();
        return body ? in.evalSequence(body) : test;
    }
    return Value();
}

Value progn(Interpreter& in, const Arguments& forms) { return evalFrom(in, forms, 0); }

Value whileForm(Interpreter& in, const Arguments& forms)
{
    requireAtLeast(forms, 1);
    Value result;
    while (in.eval(forms[0])) result = evalFrom(in, forms, 1);
    return result;
}

Value repeat(Interpreter& in, const Arguments& forms)
{
    requireAtLeast(forms, 1);
    std::int32_t count = integerArgument(in.eval(forms[0]));
    Value result;
    for (std::int32_t i = 0; i < count; ++i) result = evalFrom(in, forms, 1);
    return result;
}

Value foreach (Interpreter& in, const Arguments& forms)
{
    requireAtLeast(forms, 2);
    const Value& name = symbolArgumentValue(forms[0]);
    std::vector<Value> items = properListElements(in.eval(forms[1]));
    BindingScope scope(in);
    scope.bind(symbolPointer(name), Value());
    Value result;
    for (const Value& item : items) {
        in.setValue(name, item);
        result = evalFrom(in, forms, 2);
    }
    return result;
}

// and / or answer T or nil, not the value that decided.
Value andForm(Interpreter& in, const Arguments& forms)
{
    for (const Value& form : forms)
        if (!in.eval(form)) return Value();
    return symbolT();
}

Value orForm(Interpreter& in, const Arguments& forms)
{
    for (const Value& form : forms)
        if (in.eval(form)) return symbolT();
    return Value();
}

}  // namespace

void registerSpecialForms()
{
    addSpecialForm("quote", quote);
    addSpecialForm("setq", setq);
    addSpecialForm("defun", defun);
    addSpecialForm("lambda", lambda);
    addSpecialForm("function", function);
    addSpecialForm("if", ifForm);
    addSpecialForm("cond", cond);
    addSpecialForm("progn", progn);
    addSpecialForm("while", whileForm);
    addSpecialForm("repeat", repeat);
    addSpecialForm("foreach", foreach);
    addSpecialForm("and", andForm);
    addSpecialForm("or", orForm);
}

}  // namespace arx::lisp
