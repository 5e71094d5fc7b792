#include "lisp/interpreter.h"

#include "lisp/builtin_args.h"
#include "lisp/builtin_registry.h"
#include "lisp/errors.h"
#include "lisp/external_calls.h"
#include "lisp/hooks.h"
#include "lisp/stack_guard.h"

namespace arx::lisp {

namespace {

const Symbol* asSymbolPointer(const Value& symbol) { return static_cast<const Symbol*>(symbol.get()); }

bool isLambdaForm(const Value& form) { return isCons(form) && consOf(form).car() == symbolLambda(); }

// The unevaluated argument forms of a call.
Arguments argumentForms(const Value& rest) { return properListElements(rest); }

}  // namespace

Interpreter::Interpreter() { registerInterpreter(this); }

Interpreter::~Interpreter() { unregisterInterpreter(this); }

Value Interpreter::valueOf(const Value& symbol) const
{
    if (!isSymbol(symbol)) return Value();
    const Symbol* key = asSymbolPointer(symbol);
    auto found = bindings_.find(key);
    if (found != bindings_.end()) return found->second;
    const Value* predefined = predefinedValue(key);
    return predefined ? *predefined : Value();
}

Value Interpreter::valueOf(std::string_view name) const { return valueOf(Symbol::intern(name)); }

void Interpreter::setValue(const Value& symbol, Value value)
{
    symbolArgument(symbol);
    bindings_[asSymbolPointer(symbol)] = std::move(value);
}

void Interpreter::setValue(std::string_view name, Value value) { setValue(Symbol::intern(name), std::move(value)); }

void Interpreter::unbindIf(const std::function<bool(const Value&)>& predicate)
{
    for (auto it = bindings_.begin(); it != bindings_.end();) {
        if (predicate(it->second)) it = bindings_.erase(it);
        else ++it;
    }
}

void Interpreter::unbind(std::string_view name) { bindings_.erase(asSymbolPointer(Symbol::intern(name))); }

Value Interpreter::eval(const Value& form)
{
    if (stepLimit_ != 0 && ++steps_ > stepLimit_) throw errors::stepLimitReached();
    if (!form) return form;
    switch (form->type()) {
    case Type::Symbol: return valueOf(form);
    case Type::Cons: return evalCall(form);
    default: return form;  // numbers, strings and the other atoms evaluate to themselves
    }
}

Value Interpreter::evalSequence(const Value& forms)
{
    Value result;
    for (Value rest = forms; isCons(rest); rest = consOf(rest).cdr()) result = eval(consOf(rest).car());
    return result;
}

Value Interpreter::evalCall(const Value& form)
{
    StackGuard guard;
    const Cons& call = consOf(form);
    const Value& head = call.car();
    Value function;
    if (isSymbol(head)) {
        function = valueOf(head);
        if (!function) throw errors::noFunctionDefinition(symbolOf(head).name());
    } else if (isLambdaForm(head)) {
        function = toFunction(head);
    } else if (isCons(head)) {
        function = eval(head);
    } else {
        throw errors::badFunction(head);
    }
    Arguments forms = argumentForms(call.cdr());
    if (is(function, Type::Builtin) && static_cast<const Builtin&>(*function).isSpecialForm())
        return static_cast<const Builtin&>(*function).call(*this, forms);
    if (!isFunction(function) && !isCons(function)) throw errors::badFunction(function);
    Arguments arguments;
    arguments.reserve(forms.size());
    for (const Value& argument : forms) arguments.push_back(eval(argument));
    return apply(function, arguments);
}

Value Interpreter::toFunction(const Value& designator)
{
    if (isFunction(designator)) return designator;
    if (isSymbol(designator)) {
        Value value = valueOf(designator);
        if (!value) throw errors::noFunctionDefinition(symbolOf(designator).name());
        if (isFunction(value)) return value;
        if (isCons(value)) return toFunction(value);
        throw errors::badFunction(value);
    }
    if (isLambdaForm(designator)) {
        const Value& rest = consOf(designator).cdr();
        if (!isCons(rest)) throw errors::tooFewArguments();
        return makeFunction("", consOf(rest).car(), consOf(rest).cdr());
    }
    if (isCons(designator))  // a function kept as a list: ((params / locals) body...)
        return makeFunction("", consOf(designator).car(), consOf(designator).cdr());
    throw errors::badFunction(designator);
}

Value Interpreter::makeFunction(std::string name, const Value& parameterList, const Value& body)
{
    std::vector<const Symbol*> parameters;
    std::vector<const Symbol*> locals;
    bool afterSlash = false;
    for (const Value& item : properListElements(parameterList)) {
        const Symbol& symbol = symbolArgument(item);
        if (symbol.name() == "/" && !afterSlash) {
            afterSlash = true;
            continue;
        }
        (afterSlash ? locals : parameters).push_back(&symbol);
    }
    return std::make_shared<UserFunction>(std::move(name), std::move(parameters), std::move(locals), body);
}

Value Interpreter::apply(const Value& designator, const Arguments& arguments)
{
    Value function = toFunction(designator);
    switch (function->type()) {
    case Type::Builtin: {
        const auto& builtin = static_cast<const Builtin&>(*function);
        if (builtin.isSpecialForm()) throw errors::badFunction(function);
        return builtin.call(*this, arguments);
    }
    case Type::UserFunction: return callUserFunction(static_cast<const UserFunction&>(*function), arguments);
    case Type::External: return callExternalFunction(*this, static_cast<const ExternalFunction&>(*function), arguments);
    default: throw errors::badFunction(function);
    }
}

Value Interpreter::callUserFunction(const UserFunction& function, const Arguments& arguments)
{
    StackGuard guard;
    const auto& parameters = function.parameters();
    if (arguments.size() < parameters.size()) throw errors::tooFewArguments();
    if (arguments.size() > parameters.size()) throw errors::tooManyArguments();
    BindingScope scope(*this);
    for (std::size_t i = 0; i < parameters.size(); ++i) scope.bind(parameters[i], arguments[i]);
    for (const Symbol* local : function.locals()) scope.bind(local, Value());
    try {
        return evalSequence(function.body());
    } catch (LispError& error) {
        // Show it here, while this function's bindings (a local *error* among them) hold.
        if (isEvaluating() && !error.reported()) reportError(error);
        throw;
    }
}

BindingScope::~BindingScope()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second) interpreter_.bindings_[it->first] = std::move(*it->second);
        else interpreter_.bindings_.erase(it->first);
    }
}

void BindingScope::bind(const Symbol* symbol, Value value)
{
    auto& bindings = interpreter_.bindings_;
    auto found = bindings.find(symbol);
    if (found != bindings.end()) saved_.emplace_back(symbol, std::move(found->second));
    else saved_.emplace_back(symbol, std::nullopt);
    bindings[symbol] = std::move(value);
}

}  // namespace arx::lisp
